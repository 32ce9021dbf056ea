#include "FileDialogs.h"

#include "core/PathText.h"

#include <commdlg.h>

namespace ui {
namespace {

// Room for a few hundred long names chosen at once.
constexpr size_t kSelectionCapacity = 1 << 17;

} // namespace

std::vector<std::wstring> SplitDialogSelection(const std::vector<wchar_t>& buffer) {
    std::vector<std::wstring> parts;
    for (size_t at = 0; at < buffer.size() && buffer[at] != L'\0';) {
        size_t end = at;
        while (end < buffer.size() && buffer[end] != L'\0') {
            ++end;
        }
        parts.emplace_back(buffer.data() + at, end - at);
        at = end + 1;
    }
    if (parts.size() < 2) {
        return parts;
    }
    const std::wstring folder = core::WithBackslash(parts.front());
    std::vector<std::wstring> files;
    for (size_t i = 1; i < parts.size(); ++i) {
        files.push_back(folder + parts[i]);
    }
    return files;
}

bool RunFileDialog(HWND owner, const wchar_t* filter, const wchar_t* defaultExtension, bool save, DWORD extraFlags,
                   std::vector<wchar_t>& buffer) {
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrDefExt = defaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | extraFlags;
    return (save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)) != FALSE;
}

bool TFileDialog::Execute(HWND owner) {
    std::vector<wchar_t> buffer(spec_.save ? MAX_PATH * 4 : kSelectionCapacity, L'\0');
    const DWORD flags = spec_.save ? OFN_OVERWRITEPROMPT : OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!RunFileDialog(owner, spec_.filter, spec_.defaultExtension, spec_.save, flags, buffer)) {
        return false;
    }
    files_ = spec_.save ? std::vector<std::wstring>{buffer.data()} : SplitDialogSelection(buffer);
    return !files_.empty();
}

} // namespace ui

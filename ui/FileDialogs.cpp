#include "FileDialogs.h"

#include "Application.h"
#include "Texts.h"
#include "core/PathText.h"

#include <commdlg.h>

#include <algorithm>

namespace ui {
namespace {

// Room for a few hundred long names chosen at once; a larger selection is asked
// for again with more room, up to the largest.
constexpr size_t kSelectionCapacity = 1 << 17;
constexpr size_t kLargestSelection = 1 << 22;

bool ShowFileDialog(HWND owner, const wchar_t* filter, const wchar_t* defaultExtension, bool save, DWORD extraFlags,
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

// The room the dialog asked for in its first two characters, or more than now.
size_t RoomAskedFor(const std::vector<wchar_t>& buffer) {
    const size_t asked = static_cast<size_t>(static_cast<WORD>(buffer[0]));
    return std::max(asked + 1, buffer.size() * 4);
}

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

// The dialog tells how much room a selection needs only after the user has made
// it, so a selection that does not fit is asked for again with that room.
bool RunFileDialog(HWND owner, const wchar_t* filter, const wchar_t* defaultExtension, bool save, DWORD extraFlags,
                   std::vector<wchar_t>& buffer) {
    for (;;) {
        if (ShowFileDialog(owner, filter, defaultExtension, save, extraFlags, buffer)) {
            return true;
        }
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) {
            return false;
        }
        if (buffer.size() >= kLargestSelection) {
            ShowApplicationError(owner, texts::SelectionTooLong);
            return false;
        }
        buffer.assign(std::min(RoomAskedFor(buffer), kLargestSelection), L'\0');
    }
}

bool TFileDialog::Execute(HWND owner) {
    std::vector<wchar_t> buffer(description_.save ? kLongestPath : kSelectionCapacity, L'\0');
    const DWORD flags = description_.save ? OFN_OVERWRITEPROMPT
                                          : OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!RunFileDialog(owner, description_.filter, description_.defaultExtension, description_.save, flags, buffer)) {
        return false;
    }
    files_ = description_.save ? std::vector<std::wstring>{buffer.data()} : SplitDialogSelection(buffer);
    return !files_.empty();
}

} // namespace ui

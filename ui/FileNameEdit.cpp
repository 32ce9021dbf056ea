#include "FileNameEdit.h"

#include "Application.h"
#include "FileDialogs.h"
#include "Texts.h"
#include "core/FileNameRules.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace ui {
namespace {

constexpr int kBrowseWidth = 23;

bool FileExists(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder's path, in a buffer that grows up to the longest name the
// platform's file functions take; empty when it does not fit even there.
std::wstring FolderPath(PCIDLIST_ABSOLUTE folder) {
    for (size_t capacity = MAX_PATH;; capacity = std::min(capacity * 4, kLongestPath)) {
        std::vector<wchar_t> path(capacity, L'\0');
        if (SHGetPathFromIDListEx(folder, path.data(), static_cast<DWORD>(capacity), GPFIDL_DEFAULT)) {
            return path.data();
        }
        if (capacity == kLongestPath) {
            return {};
        }
    }
}

std::wstring Format(const wchar_t* pattern, const std::wstring& value) {
    std::wstring text = pattern;
    const size_t at = text.find(L"%s");
    return at == std::wstring::npos ? text : text.replace(at, 2, value);
}

} // namespace

TFileNameEdit::TFileNameEdit(HWND parent, RECT rect, FileNameEditDescription description, HICON browseGlyph)
    : TPanel(parent, description.boxId, rect), description_(std::move(description)), glyph_(browseGlyph) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    edit_ = AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, Rect(0, 0, width - kBrowseWidth - 2, height),
                       description_.editId, kLeft | kTop | kRight, WS_EX_CLIENTEDGE);
    AddControl(L"BUTTON", L"", WS_TABSTOP | BS_OWNERDRAW, Rect(width - kBrowseWidth, 0, kBrowseWidth, height),
               description_.browseId, kTop | kRight);
}

std::wstring TFileNameEdit::FileName() const { return core::HandOutFileName(WindowText(edit_), FileExists); }

void TFileNameEdit::SetFileName(const std::wstring& name) {
    SetWindowTextW(edit_, core::EditTextForFileName(name).c_str());
}

bool TFileNameEdit::PutFileName(const std::wstring& name) {
    if (!core::IsAcceptableFileName(name)) {
        ShowApplicationError(GetAncestor(Handle(), GA_ROOT), Format(texts::InvalidFileName, name));
        return false;
    }
    SetFileName(name);
    return true;
}

void TFileNameEdit::BrowseClick() {
    std::wstring name = FileName();
    bool action = description_.kind == BrowseKind::Folder ? RunFolderDialog(name) : RunFileDialog(name);
    if (!action) {
        name = FileName();
    }
    if (description_.afterDialog) {
        description_.afterDialog(name, action);
    }
    if (action) {
        SetFileName(name);
    }
    SetFocus(edit_);
}

LRESULT TFileNameEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == description_.browseId && HIWORD(wParam) == BN_CLICKED) {
        BrowseClick();
        return 0;
    }
    if (message == WM_DRAWITEM && wParam == static_cast<WPARAM>(description_.browseId)) {
        DrawGlyphButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), glyph_);
        return TRUE;
    }
    return TPanel::OnMessage(message, wParam, lParam);
}

bool TFileNameEdit::RunFileDialog(std::wstring& name) {
    std::vector<wchar_t> buffer(kLongestPath, L'\0');
    name.copy(buffer.data(), std::min(name.size(), buffer.size() - 1));
    const bool confirmed = ui::RunFileDialog(GetAncestor(Handle(), GA_ROOT), description_.filter,
                                             description_.defaultExtension, description_.kind == BrowseKind::Save, 0,
                                             buffer);
    if (confirmed) {
        name = buffer.data();
    }
    return confirmed;
}

bool TFileNameEdit::RunFolderDialog(std::wstring& name) {
    BROWSEINFOW info = {};
    info.hwndOwner = GetAncestor(Handle(), GA_ROOT);
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) {
        return false;
    }
    const std::wstring path = FolderPath(chosen);
    CoTaskMemFree(chosen);
    if (path.empty()) {
        ShowApplicationError(info.hwndOwner, texts::FolderNameTooLong);
        return false;
    }
    name = path;
    return true;
}

} // namespace ui

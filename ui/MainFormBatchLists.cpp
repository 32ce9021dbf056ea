// The batch pages' lists: adding through the open dialogs or by dropping files
// from Explorer, deleting the selected entries, emptying.
#include "MainForm.h"

#include "core/BatchRules.h"
#include "resource.h"

#include <windowsx.h>

#include <algorithm>

namespace ui {
namespace {

std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries;
    for (int i = 0; i < ListBox_GetCount(list); ++i) {
        entries.push_back(ListBoxText(list, i));
    }
    return entries;
}

// A list box shows its horizontal scroll bar only when told how wide its
// widest entry is.
void FitHorizontalExtent(HWND list) {
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::wstring& entry : ListEntries(list)) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(entry.size()), &size);
        widest = std::max(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    constexpr LONG kTextMargin = 8;
    ListBox_SetHorizontalExtent(list, widest + kTextMargin);
}

// Explorer also lets folders be dragged; only files go into a list.
std::vector<std::wstring> FilesOnly(const std::vector<std::wstring>& names) {
    std::vector<std::wstring> files;
    std::copy_if(names.begin(), names.end(), std::back_inserter(files), [](const std::wstring& name) {
        const DWORD attributes = GetFileAttributesW(name.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    });
    return files;
}

} // namespace

void TMainForm::AcceptDrops() {
    fileListDrop_ = [this](const std::vector<std::wstring>& names) { FileListDropFiles(names); };
    fileList2Drop_ = [this](const std::vector<std::wstring>& names) { FileList2DropFiles(names); };
    AcceptDroppedFiles(fileList_, &fileListDrop_);
    AcceptDroppedFiles(fileList2_, &fileList2Drop_);
}

void TMainForm::AddToList(HWND list, const std::vector<std::wstring>& chosen) {
    for (const std::wstring& name : core::NamesToAdd(ListEntries(list), chosen)) {
        ListBox_AddString(list, name.c_str());
    }
    FitHorizontalExtent(list);
}

void TMainForm::AddBtnClick() {
    if (Mp3SelectDialog.Execute(Handle())) {
        AddToList(fileList_, Mp3SelectDialog.Files());
    }
}

void TMainForm::AddBtn2Click() {
    if (WavSelectDialog.Execute(Handle())) {
        AddToList(fileList2_, WavSelectDialog.Files());
    }
}

// While a run is on, the main window is disabled and its lists stay as they are.
void TMainForm::FileListDropFiles(const std::vector<std::wstring>& names) {
    if (IsWindowEnabled(Handle())) {
        AddToList(fileList_, FilesOnly(core::NamesWithExtension(names, L".mp3")));
    }
}

void TMainForm::FileList2DropFiles(const std::vector<std::wstring>& names) {
    if (IsWindowEnabled(Handle())) {
        AddToList(fileList2_, FilesOnly(core::NamesWithExtension(names, L".wav")));
    }
}

void TMainForm::DeleteSelected(HWND list) {
    std::vector<bool> selected;
    for (int i = 0; i < ListBox_GetCount(list); ++i) {
        selected.push_back(ListBox_GetSel(list, i) > 0);
    }
    for (int index : core::SelectedFromLastUp(selected)) {
        ListBox_DeleteString(list, index);
    }
    FitHorizontalExtent(list);
}

void TMainForm::DelbtnClick() {
    DeleteSelected(fileList_);
}
void TMainForm::DelBtn2Click() {
    DeleteSelected(fileList2_);
}

void TMainForm::DelAllBtnClick() {
    ListBox_ResetContent(fileList_);
    FitHorizontalExtent(fileList_);
}

void TMainForm::DelAllBtn2Click() {
    ListBox_ResetContent(fileList2_);
    FitHorizontalExtent(fileList2_);
}

} // namespace ui

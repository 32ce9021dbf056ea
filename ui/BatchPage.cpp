// The batch pages: the list filled through the open dialog or by dropping
// files from Explorer, and the run of every entry through the page's job,
// inside the progress window, with the progress line in the status bar.
#include "BatchPage.h"

#include "win/ScreenDpi.h"
#include "MainForm.h"
#include "PageParts.h"
#include "Texts.h"
#include "core/BatchRules.h"
#include "resource.h"

#include <windowsx.h>

#include <algorithm>

namespace ui {
namespace {

constexpr int kPad = 8;
constexpr int kGroupHeight = 92;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 25;
constexpr int kListTop = 106;
constexpr int kGlyphSize = 16;

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
    LONG widest = 0;
    {
        win::ScopedWindowDC dc(list);
        win::ScopedSelect font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
        for (const std::wstring& entry : ListEntries(list)) {
            SIZE size = {};
            GetTextExtentPoint32W(dc.get(), entry.c_str(), static_cast<int>(entry.size()), &size);
            widest = std::max(widest, size.cx);
        }
    }
    constexpr LONG kTextMargin = 8;
    ListBox_SetHorizontalExtent(list, widest + win::Px(kTextMargin));
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

void DeleteSelected(HWND list) {
    std::vector<bool> selected;
    for (int i = 0; i < ListBox_GetCount(list); ++i) {
        selected.push_back(ListBox_GetSel(list, i) > 0);
    }
    for (int index : core::SelectedFromLastUp(selected)) {
        ListBox_DeleteString(list, index);
    }
    FitHorizontalExtent(list);
}

} // namespace

TBatchPage::TBatchPage(TPanel& page, bool toMp3, HICON browseGlyph, TMainForm& form, std::function<void()> goClick)
    : form_(form), toMp3_(toMp3), selectDialog_(toMp3 ? FileDialogDescription{texts::FilterWavOnly, L"wav", false}
                                                      : FileDialogDescription{texts::FilterMp3Only, L"mp3", false}) {
    const SIZE size = ClientSize(page.Handle());
    const int width = size.cx - 2 * kPad;
    CreateFolderChoice(page, width, browseGlyph);

    using pictures::Icon;
    AddGlyphButton(page, texts::AddFiles, Rect(kPad, kListTop, kButtonWidth, kButtonHeight),
                   toMp3 ? IDC_MAIN_ADDBTN2 : IDC_MAIN_ADDBTN, Icon::Add);
    AddGlyphButton(page, texts::DeleteFiles, Rect(kPad, kListTop + 30, kButtonWidth, kButtonHeight),
                   toMp3 ? IDC_MAIN_DELBTN2 : IDC_MAIN_DELBTN, Icon::Delete);
    AddGlyphButton(page, texts::DeleteAllFiles, Rect(kPad, kListTop + 60, kButtonWidth, kButtonHeight),
                   toMp3 ? IDC_MAIN_DELALLBTN2 : IDC_MAIN_DELALLBTN, Icon::DeleteAll);
    const int listLeft = kPad + kButtonWidth + kPad;
    const int bottomRow = size.cy - pictures::kImageButtonHeight - kPad;
    fileList_ = page.AddControl(L"LISTBOX", L"",
                                WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY |
                                    LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                                {listLeft, kListTop, size.cx - kPad, bottomRow - kPad},
                                toMp3 ? IDC_MAIN_FILELIST2 : IDC_MAIN_FILELIST, kAll, WS_EX_CLIENTEDGE);

    const RECT go = Rect(size.cx - pictures::kImageButtonWidth - kPad, bottomRow, pictures::kImageButtonWidth,
                         pictures::kImageButtonHeight);
    if (toMp3) {
        page.AddControl(L"STATIC", texts::LabelFormat, 0, Rect(kPad, bottomRow + 8, 112, kPageLabelHeight),
                        IDC_MAIN_LABEL8, kLeft | kBottom);
        format_ = page.AddControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                  {kPad + 116, bottomRow + 4, go.left - kPad, bottomRow + 4 + kPageDropDownHeight},
                                  IDC_MAIN_MP3FORMAT2, kLeft | kRight | kBottom);
    } else {
        cdQuality_ = page.AddControl(L"BUTTON", texts::CdQuality, WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE,
                                     {kPad, bottomRow, go.left - kPad, bottomRow + pictures::kImageButtonHeight},
                                     IDC_MAIN_CDQUAL2CHECK, kLeft | kRight | kBottom);
    }
    go_ = AddGoButton(page, toMp3 ? IDC_MAIN_GOBTN4 : IDC_MAIN_GOBTN2, go, std::move(goClick));
    AcceptDrops();
}

void TBatchPage::CreateFolderChoice(TPanel& page, int width, HICON browseGlyph) {
    HWND group = page.AddControl(L"BUTTON", texts::DestinationFolder, BS_GROUPBOX | WS_CLIPSIBLINGS,
                                 Rect(kPad, 4, width, kGroupHeight), toMp3_ ? IDC_MAIN_GROUPBOX2 : IDC_MAIN_GROUPBOX1,
                                 kLeft | kTop | kRight);
    besideSource_ = page.AddControl(L"BUTTON", toMp3_ ? texts::Mp3BesideSource : texts::WavBesideSource,
                                    WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                                    Rect(2 * kPad, 22, width - 2 * kPad, 17),
                                    toMp3_ ? IDC_MAIN_QUELLCHECK2 : IDC_MAIN_QUELLCHECK, kLeft | kTop | kRight);
    Button_SetCheck(besideSource_, BST_CHECKED);
    ownFolder_ = page.AddControl(L"BUTTON", toMp3_ ? texts::Mp3OwnFolder : texts::WavOwnFolder, BS_AUTORADIOBUTTON,
                                 Rect(2 * kPad, 40, width - 2 * kPad, 17),
                                 toMp3_ ? IDC_MAIN_OWNFOLDERCHECK2 : IDC_MAIN_OWNFOLDERCHECK, kLeft | kTop | kRight);
    page.AddControl(L"STATIC", texts::LabelDestinationFolder, 0, Rect(2 * kPad, 66, 120, kPageLabelHeight),
                    toMp3_ ? IDC_MAIN_LABEL7 : IDC_MAIN_LABEL3);
    const RECT folder = Rect(136, 62, width - 136, kPageEditHeight);
    outDirectoryEd_ = AddFileNameEdit(
        page, folder,
        toMp3_ ? FileNameEditDescription{IDC_MAIN_OUTDIRECTORY2ED_BOX, IDC_MAIN_OUTDIRECTORY2ED,
                                         IDC_MAIN_OUTDIRECTORY2ED_BROWSE, BrowseKind::Folder, nullptr, nullptr, nullptr}
               : FileNameEditDescription{IDC_MAIN_OUTDIRECTORYED_BOX, IDC_MAIN_OUTDIRECTORYED,
                                         IDC_MAIN_OUTDIRECTORYED_BROWSE, BrowseKind::Folder, nullptr, nullptr, nullptr},
        browseGlyph);
    // The frame lies under the controls it holds, or it would hide them.
    SetWindowPos(group, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TBatchPage::AddGlyphButton(TPanel& page, const wchar_t* caption, RECT rect, int id, pictures::Icon glyph) {
    HWND button = page.AddControl(L"BUTTON", caption, WS_TABSTOP | BS_OWNERDRAW, rect, id);
    glyphs_.emplace_back(button, win::ScopedIcon(pictures::MakeIcon(glyph, win::Px(kGlyphSize))));
}

bool TBatchPage::OnDrawItem(const DRAWITEMSTRUCT& item) {
    for (const auto& [button, glyph] : glyphs_) {
        if (button == item.hwndItem) {
            DrawGlyphButton(item, glyph.get());
            return true;
        }
    }
    return false;
}

bool TBatchPage::OnListKey(HWND list, int key) {
    if (list != fileList_ || key != VK_DELETE) {
        return false;
    }
    DelbtnClick();
    return true;
}

bool TBatchPage::OnButtonClick(int id) {
    const std::pair<int, void (TBatchPage::*)()> buttons[] = {
        {toMp3_ ? IDC_MAIN_ADDBTN2 : IDC_MAIN_ADDBTN, &TBatchPage::AddBtnClick},
        {toMp3_ ? IDC_MAIN_DELBTN2 : IDC_MAIN_DELBTN, &TBatchPage::DelbtnClick},
        {toMp3_ ? IDC_MAIN_DELALLBTN2 : IDC_MAIN_DELALLBTN, &TBatchPage::DelAllBtnClick},
    };
    for (const auto& [buttonId, handler] : buttons) {
        if (buttonId == id) {
            (this->*handler)();
            return true;
        }
    }
    return false;
}

void TBatchPage::AcceptDrops() {
    fileListDrop_ = [this](const std::vector<std::wstring>& names) { FileListDropFiles(names); };
    AcceptDroppedFiles(fileList_, &fileListDrop_);
}

void TBatchPage::AddToList(const std::vector<std::wstring>& chosen) {
    for (const std::wstring& name : core::NamesToAdd(ListEntries(fileList_), chosen)) {
        ListBox_AddString(fileList_, name.c_str());
    }
    FitHorizontalExtent(fileList_);
}

void TBatchPage::AddBtnClick() {
    if (selectDialog_.Execute(form_.Handle())) {
        AddToList(selectDialog_.Files());
    }
}

// While a run is on, the main window is disabled and its lists stay as they are.
void TBatchPage::FileListDropFiles(const std::vector<std::wstring>& names) {
    if (IsWindowEnabled(form_.Handle())) {
        AddToList(FilesOnly(core::NamesWithExtension(names, toMp3_ ? L".wav" : L".mp3")));
    }
}

void TBatchPage::DelbtnClick() { DeleteSelected(fileList_); }

void TBatchPage::DelAllBtnClick() {
    ListBox_ResetContent(fileList_);
    FitHorizontalExtent(fileList_);
}

PageJob TBatchPage::Job() {
    return [this] { return RunBatch(); };
}

// A destination that names its own source is refused by the job with its
// message, and the run goes on with the next entry, as after any refusal.
bool TBatchPage::RunBatch() {
    const std::vector<std::wstring> entries = ListEntries(fileList_);
    if (entries.empty()) {
        return false;
    }
    const JobKind kind = toMp3_                                       ? JobKind::WavToMp3
                         : Button_GetCheck(cdQuality_) == BST_CHECKED ? JobKind::Mp3ToCdWav
                                                                      : JobKind::Mp3ToWav;
    form_.FileCount = static_cast<int>(entries.size());
    form_.RunEntries(form_.BatchRequests(kind, entries, Button_GetCheck(besideSource_) == BST_CHECKED,
                                         WindowText(outDirectoryEd_->Edit())));
    return true;
}

} // namespace ui

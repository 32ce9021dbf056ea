// Building the main window: tabs, pages, bottom bar and status bar.
#include "MainForm.h"

#include "Texts.h"
#include "resource.h"

#include <windowsx.h>

namespace ui {
namespace {

constexpr int kBottomBarHeight = 41;
constexpr int kHeaderHeight = 33;
constexpr int kColumnWidth = 209;
constexpr int kGap = 4;
constexpr int kStatusPanel0Width = 250;
constexpr int kStatusPanel1Width = 50;
constexpr int kSmallIcon = 16;
constexpr int kEditHeight = 22;
constexpr int kLabelHeight = 14;
constexpr int kDropDownHeight = 220;
constexpr int kMargin = 16;

SIZE ClientSize(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

} // namespace

HICON TMainForm::KeepIcon(HICON icon) {
    icons_.emplace_back(icon);
    return icon;
}

void TMainForm::CreateImageLists() {
    using pictures::Icon;
    tabImages_ = ImageList_Create(kSmallIcon, kSmallIcon, ILC_COLOR32 | ILC_MASK, 4, 0);
    for (Icon icon : {Icon::TabMp3Wav, Icon::TabWavMp3, Icon::TabWavWav, Icon::TabTagEditor}) {
        ImageList_AddIcon(tabImages_, KeepIcon(pictures::MakeIcon(icon, kSmallIcon)));
    }
    subTabImages_ = ImageList_Create(kSmallIcon, kSmallIcon, ILC_COLOR32 | ILC_MASK, 2, 0);
    for (Icon icon : {Icon::SingleFile, Icon::Batch}) {
        ImageList_AddIcon(subTabImages_, KeepIcon(pictures::MakeIcon(icon, kSmallIcon)));
    }
    columnPicture_.reset(pictures::ColumnPicture());
    webLogo_ = KeepIcon(pictures::MakeIcon(Icon::WebLogo, 24));
    browseGlyph_ = KeepIcon(pictures::MakeIcon(Icon::Browse, kSmallIcon));
    programIcon_ = KeepIcon(pictures::MakeIcon(Icon::Program, 32));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon_));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(KeepIcon(pictures::MakeIcon(Icon::Program, kSmallIcon))));
}

void TMainForm::CreateControls() {
    CreateImageLists();
    CreateStatusBar();
    const SIZE client = ClientSize(Handle());
    RECT statusRect;
    GetWindowRect(statusBar_, &statusRect);
    const int tabsBottom = client.cy - kBottomBarHeight - (statusRect.bottom - statusRect.top);
    layout_.SetDesignSize(client);

    const RECT tabsRect = {0, 0, client.cx, tabsBottom};
    tabs_ = std::make_unique<TTabbedPages>(Handle(), IDC_MAIN_TABS, tabsRect, tabImages_);
    layout_.Add(tabs_->Handle(), tabsRect, kAll);
    TPanel& mp3wav = tabs_->AddPage(texts::TabMp3Wav, 0, IDC_MAIN_PAGE_MP3WAV);
    TPanel& wavmp3 = tabs_->AddPage(texts::TabWavMp3, 1, IDC_MAIN_PAGE_WAVMP3);
    TPanel& wavwav = tabs_->AddPage(texts::TabWavWav, 2, IDC_MAIN_PAGE_WAVWAV);
    TPanel& tagEditor = tabs_->AddPage(texts::TabTagEditor, 3, IDC_MAIN_PAGE_TAGEDITOR);
    TabCtrl_SetCurSel(tabs_->Handle(), 0);
    tabs_->SelectionChanged();

    CreatePage(mp3wav, IDC_MAIN_HEADER_MP3WAV, texts::HeaderMp3Wav, IDC_MAIN_COLUMN_MP3WAV, texts::ColumnMp3Wav);
    CreatePage(wavmp3, IDC_MAIN_HEADER_WAVMP3, texts::HeaderWavMp3, IDC_MAIN_COLUMN_WAVMP3, texts::ColumnWavMp3);
    CreatePage(wavwav, IDC_MAIN_HEADER_WAVWAV, texts::HeaderWavWav, IDC_MAIN_COLUMN_WAVWAV, texts::ColumnWavWav);
    CreatePage(tagEditor, IDC_MAIN_HEADER_TAGEDITOR, texts::HeaderTagEditor, IDC_MAIN_COLUMN_TAGEDITOR,
               texts::ColumnTagEditor);

    const SIZE page = ClientSize(mp3wav.Handle());
    const RECT rest = {kColumnWidth + 2 * kGap, kHeaderHeight + 2 * kGap, page.cx - kGap, page.cy - kGap};
    const int ids[][3] = {{IDC_MAIN_SUBTABS_MP3WAV, IDC_MAIN_SUBPAGE_MP3WAV_SINGLE, IDC_MAIN_SUBPAGE_MP3WAV_BATCH},
                          {IDC_MAIN_SUBTABS_WAVMP3, IDC_MAIN_SUBPAGE_WAVMP3_SINGLE, IDC_MAIN_SUBPAGE_WAVMP3_BATCH},
                          {IDC_MAIN_SUBTABS_WAVWAV, IDC_MAIN_SUBPAGE_WAVWAV_SINGLE, 0}};
    TPanel* pages[] = {&mp3wav, &wavmp3, &wavwav};
    for (int i = 0; i < 3; ++i) {
        subTabs_.push_back(std::make_unique<TTabbedPages>(*pages[i], ids[i][0], rest, kAll, subTabImages_));
        subTabs_.back()->AddPage(texts::SubTabSingle, 0, ids[i][1]);
        if (ids[i][2]) {
            subTabs_.back()->AddPage(texts::SubTabBatch, 1, ids[i][2]);
        }
        TabCtrl_SetCurSel(subTabs_.back()->Handle(), 0);
        subTabs_.back()->SelectionChanged();
    }
    CreateSinglePages();
    CreateBatchPage(subTabs_[0]->Page(1), false);
    CreateBatchPage(subTabs_[1]->Page(1), true);

    panels_.push_back(std::make_unique<TPanel>(tagEditor.Handle(), 0, rest));
    tagEditor.Layout().Add(panels_.back()->Handle(), rest, kAll);
    CreateTagEditor(*panels_.back());

    CreateBottomBar();
    CreateHints();
}

void TMainForm::CreatePage(TPanel& page, int headerId, const wchar_t* header, int columnId, const wchar_t* title) {
    const SIZE size = ClientSize(page.Handle());
    const RECT headerRect = Rect(kGap, kGap, size.cx - 2 * kGap, kHeaderHeight);
    panels_.push_back(std::make_unique<THeaderStrip>(page.Handle(), headerId, headerRect, header));
    page.Layout().Add(panels_.back()->Handle(), headerRect, kLeft | kTop | kRight);
    const RECT columnRect = {kGap, kHeaderHeight + 2 * kGap, kGap + kColumnWidth, size.cy - kGap};
    panels_.push_back(std::make_unique<TPictureColumn>(page.Handle(), columnId, columnRect, title, columnPicture_.get()));
    page.Layout().Add(panels_.back()->Handle(), columnRect, kLeft | kTop | kBottom);
}

std::unique_ptr<TFileNameEdit> TMainForm::AddFileNameEdit(TPanel& page, RECT rect, FileNameEditSpec pageLayout) {
    auto edit = std::make_unique<TFileNameEdit>(page.Handle(), rect, std::move(pageLayout), browseGlyph_);
    page.Layout().Add(edit->Handle(), rect, kLeft | kTop | kRight);
    return edit;
}

TImageButton& TMainForm::AddImageButton(TPanel& panel, int id, POINT at, const wchar_t* text,
                                        void (TMainForm::*click)()) {
    imageButtons_.push_back(
        std::make_unique<TImageButton>(panel.Handle(), id, at, text, panel.Background(), [this, click] { (this->*click)(); }));
    return *imageButtons_.back();
}

HWND TMainForm::AddGlyphButton(TPanel& panel, const wchar_t* caption, RECT rect, int id, pictures::Icon glyph) {
    HWND button = panel.AddControl(L"BUTTON", caption, WS_TABSTOP | BS_OWNERDRAW, rect, id);
    glyphs_[button] = KeepIcon(pictures::MakeIcon(glyph, kSmallIcon));
    return button;
}

// The single-file pages: a source line, a destination line, below them the
// CD-quality box or a format list, and the Go button in the corner.
struct SinglePageSpec {
    const wchar_t* sourceLabel;
    int sourceLabelId;
    FileNameEditSpec source;
    const wchar_t* destinationLabel;
    int destinationLabelId;
    FileNameEditSpec destination;
    int formatLabelId;  // 0: the page has the CD-quality box instead of a format list
    int optionId;
    int goId;
};

void TMainForm::CreateSinglePage(TPanel& page, SinglePageSpec pageLayout, std::unique_ptr<TFileNameEdit>& source,
                                 std::unique_ptr<TFileNameEdit>& destination, HWND& option, TImageButton*& go,
                                 void (TMainForm::*click)()) {
    const SIZE size = ClientSize(page.Handle());
    const int width = size.cx - 2 * kMargin;
    page.AddControl(L"STATIC", pageLayout.sourceLabel, 0, Rect(kMargin, 20, width, kLabelHeight), pageLayout.sourceLabelId);
    source = AddFileNameEdit(page, Rect(kMargin, 36, width, kEditHeight), std::move(pageLayout.source));
    page.AddControl(L"STATIC", pageLayout.destinationLabel, 0, Rect(kMargin, 72, width, kLabelHeight),
                    pageLayout.destinationLabelId);
    destination = AddFileNameEdit(page, Rect(kMargin, 88, width, kEditHeight), std::move(pageLayout.destination));
    if (pageLayout.formatLabelId) {
        page.AddControl(L"STATIC", texts::LabelFormat, 0, Rect(kMargin, 124, width, kLabelHeight), pageLayout.formatLabelId);
        option = page.AddControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                 Rect(kMargin, 140, width, kDropDownHeight), pageLayout.optionId, kLeft | kTop | kRight);
    } else {
        option = page.AddControl(L"BUTTON", texts::CdQuality, WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE,
                                 Rect(kMargin, 124, width, 30), pageLayout.optionId, kLeft | kTop | kRight);
    }
    const RECT goRect = Rect(size.cx - pictures::kImageButtonWidth - kMargin,
                             size.cy - pictures::kImageButtonHeight - kMargin, pictures::kImageButtonWidth,
                             pictures::kImageButtonHeight);
    go = &AddImageButton(page, pageLayout.goId, {goRect.left, goRect.top}, texts::GoPicture, click);
    page.Layout().Add(go->Handle(), goRect, kRight | kBottom);
}

void TMainForm::CreateSinglePages() {
    auto after = [this](void (TMainForm::*handler)(std::wstring&, bool&)) {
        return [this, handler](std::wstring& name, bool& action) { (this->*handler)(name, action); };
    };
    CreateSinglePage(subTabs_[0]->Page(0),
                     {texts::LabelMp3Source, IDC_MAIN_LABEL_MP3WAV_SOURCE,
                      {IDC_MAIN_INPUTFILEED_BOX, IDC_MAIN_INPUTFILEED, IDC_MAIN_INPUTFILEED_BROWSE, BrowseKind::Open,
                       L"mp3", texts::FilterMp3, after(&TMainForm::InputFileEdAfterDialog)},
                      texts::LabelWavDestination, IDC_MAIN_LABEL_MP3WAV_DESTINATION,
                      {IDC_MAIN_OUTPUTFILEED_BOX, IDC_MAIN_OUTPUTFILEED, IDC_MAIN_OUTPUTFILEED_BROWSE,
                       BrowseKind::Save, L"wav", texts::FilterWav, nullptr},
                      0, IDC_MAIN_CDQUALCHECK, IDC_MAIN_GOBTN1},
                     inputFileEd_, outputFileEd_, cdqualcheck_, goBtn1_, &TMainForm::GoBtn1Click);
    CreateSinglePage(subTabs_[1]->Page(0),
                     {texts::LabelWavSource, IDC_MAIN_LABEL_WAVMP3_SOURCE,
                      {IDC_MAIN_INPUT2ED_BOX, IDC_MAIN_INPUT2ED, IDC_MAIN_INPUT2ED_BROWSE, BrowseKind::Save, L"wav",
                       texts::FilterWav, after(&TMainForm::input2edAfterDialog)},
                      texts::LabelMp3Destination, IDC_MAIN_LABEL_WAVMP3_DESTINATION,
                      {IDC_MAIN_OUTPUT2ED_BOX, IDC_MAIN_OUTPUT2ED, IDC_MAIN_OUTPUT2ED_BROWSE, BrowseKind::Open,
                       L"mp3", texts::FilterMp3, nullptr},
                      IDC_MAIN_LABEL_WAVMP3_FORMAT, IDC_MAIN_MP3FORMAT, IDC_MAIN_GOBTN3},
                     input2Ed_, output2Ed_, mp3format_, goBtn3_, &TMainForm::GoBtn3Click);
    CreateSinglePage(subTabs_[2]->Page(0),
                     {texts::LabelWavSource, IDC_MAIN_LABEL_WAVWAV_SOURCE,
                      {IDC_MAIN_INPUT3ED_BOX, IDC_MAIN_INPUT3ED, IDC_MAIN_INPUT3ED_BROWSE, BrowseKind::Save, L"wav",
                       texts::FilterWav, nullptr},
                      texts::LabelWavDestination, IDC_MAIN_LABEL_WAVWAV_DESTINATION,
                      {IDC_MAIN_OUTPUT3ED_BOX, IDC_MAIN_OUTPUT3ED, IDC_MAIN_OUTPUT3ED_BROWSE, BrowseKind::Open,
                       L"wav", texts::FilterWav, nullptr},
                      IDC_MAIN_LABEL_WAVWAV_FORMAT, IDC_MAIN_WAVFORMATS, IDC_MAIN_GOBTN5},
                     input3Ed_, output3Ed_, WAVFormats_, goBtn5_, &TMainForm::GoBtn5Click);
}

void TMainForm::CreateBatchPage(TPanel& page, bool toMp3) {
    const SIZE size = ClientSize(page.Handle());
    constexpr int kPad = 8, kGroupHeight = 92, kButtonWidth = 100, kButtonHeight = 25, kListTop = 106;
    const int width = size.cx - 2 * kPad;
    HWND group = page.AddControl(L"BUTTON", texts::DestinationFolder, BS_GROUPBOX | WS_CLIPSIBLINGS,
                                 Rect(kPad, 4, width, kGroupHeight), toMp3 ? IDC_MAIN_GROUPBOX2 : IDC_MAIN_GROUPBOX1,
                                 kLeft | kTop | kRight);
    HWND beside = page.AddControl(L"BUTTON", toMp3 ? texts::Mp3BesideSource : texts::WavBesideSource,
                                  WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, Rect(2 * kPad, 22, width - 2 * kPad, 17),
                                  toMp3 ? IDC_MAIN_QUELLCHECK2 : IDC_MAIN_QUELLCHECK, kLeft | kTop | kRight);
    Button_SetCheck(beside, BST_CHECKED);
    page.AddControl(L"BUTTON", toMp3 ? texts::Mp3OwnFolder : texts::WavOwnFolder, BS_AUTORADIOBUTTON,
                    Rect(2 * kPad, 40, width - 2 * kPad, 17), toMp3 ? IDC_MAIN_OWNFOLDERCHECK2 : IDC_MAIN_OWNFOLDERCHECK,
                    kLeft | kTop | kRight);
    page.AddControl(L"STATIC", texts::LabelDestinationFolder, 0, Rect(2 * kPad, 66, 120, kLabelHeight),
                    toMp3 ? IDC_MAIN_LABEL7 : IDC_MAIN_LABEL3);
    const RECT folder = Rect(136, 62, width - 136, kEditHeight);
    auto& folderEd = toMp3 ? outDirectory2Ed_ : outDirectoryEd_;
    folderEd = AddFileNameEdit(page, folder,
                               toMp3 ? FileNameEditSpec{IDC_MAIN_OUTDIRECTORY2ED_BOX, IDC_MAIN_OUTDIRECTORY2ED,
                                                        IDC_MAIN_OUTDIRECTORY2ED_BROWSE, BrowseKind::Folder, nullptr,
                                                        nullptr, nullptr}
                                     : FileNameEditSpec{IDC_MAIN_OUTDIRECTORYED_BOX, IDC_MAIN_OUTDIRECTORYED,
                                                        IDC_MAIN_OUTDIRECTORYED_BROWSE, BrowseKind::Folder, nullptr,
                                                        nullptr, nullptr});

    // The frame lies under the controls it holds, or it would hide them.
    SetWindowPos(group, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    using pictures::Icon;
    AddGlyphButton(page, texts::AddFiles, Rect(kPad, kListTop, kButtonWidth, kButtonHeight),
                   toMp3 ? IDC_MAIN_ADDBTN2 : IDC_MAIN_ADDBTN, Icon::Add);
    AddGlyphButton(page, texts::DeleteFiles, Rect(kPad, kListTop + 30, kButtonWidth, kButtonHeight),
                   toMp3 ? IDC_MAIN_DELBTN2 : IDC_MAIN_DELBTN, Icon::Delete);
    AddGlyphButton(page, texts::DeleteAllFiles, Rect(kPad, kListTop + 60, kButtonWidth, kButtonHeight),
                   toMp3 ? IDC_MAIN_DELALLBTN2 : IDC_MAIN_DELALLBTN, Icon::DeleteAll);
    const int listLeft = kPad + kButtonWidth + kPad;
    const int bottomRow = size.cy - pictures::kImageButtonHeight - kPad;
    HWND list = page.AddControl(L"LISTBOX", L"",
                                WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY |
                                    LBS_NOINTEGRALHEIGHT,
                                {listLeft, kListTop, size.cx - kPad, bottomRow - kPad},
                                toMp3 ? IDC_MAIN_FILELIST2 : IDC_MAIN_FILELIST, kAll, WS_EX_CLIENTEDGE);
    (toMp3 ? fileList2_ : fileList_) = list;

    const RECT go = Rect(size.cx - pictures::kImageButtonWidth - kPad, bottomRow, pictures::kImageButtonWidth,
                         pictures::kImageButtonHeight);
    if (toMp3) {
        page.AddControl(L"STATIC", texts::LabelFormat, 0, Rect(kPad, bottomRow + 8, 112, kLabelHeight), IDC_MAIN_LABEL8,
                        kLeft | kBottom);
        mp3format2_ = page.AddControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                      {kPad + 116, bottomRow + 4, go.left - kPad, bottomRow + 4 + kDropDownHeight},
                                      IDC_MAIN_MP3FORMAT2, kLeft | kRight | kBottom);
        goBtn4_ = &AddImageButton(page, IDC_MAIN_GOBTN4, {go.left, go.top}, texts::GoPicture, &TMainForm::GoBtn4Click);
        page.Layout().Add(goBtn4_->Handle(), go, kRight | kBottom);
    } else {
        page.AddControl(L"BUTTON", texts::CdQuality, WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE,
                        {kPad, bottomRow, go.left - kPad, bottomRow + pictures::kImageButtonHeight},
                        IDC_MAIN_CDQUAL2CHECK, kLeft | kRight | kBottom);
        gobtn2_ = &AddImageButton(page, IDC_MAIN_GOBTN2, {go.left, go.top}, texts::GoPicture, &TMainForm::Gobtn2Click);
        page.Layout().Add(gobtn2_->Handle(), go, kRight | kBottom);
    }
}

void TMainForm::CreateTagEditor(TPanel& area) {
    struct Field {
        const wchar_t* label;
        int labelId, editId, limit, width;
    };
    const Field fields[] = {
        {texts::TagTitle, IDC_MAIN_LABEL_TITLE, IDC_MAIN_EDTITLE, 30, 0},
        {texts::TagArtist, IDC_MAIN_LABEL_ARTIST, IDC_MAIN_EDARTIST, 30, 0},
        {texts::TagAlbum, IDC_MAIN_LABEL_ALBUM, IDC_MAIN_EDALBUM, 30, 0},
        {texts::TagYear, IDC_MAIN_LABEL_YEAR, IDC_MAIN_EDYEAR, 4, 60},
        {texts::TagGenre, IDC_MAIN_LABEL_GENRE, IDC_MAIN_EDGENRE, 0, 220},
        {texts::TagComment, IDC_MAIN_LABEL_COMMENT, IDC_MAIN_EDCOMMENT, 30, 0},
        {texts::TagTrack, IDC_MAIN_LABEL_TRACK, IDC_MAIN_EDLIEDNR, 30, 60},
    };
    const SIZE size = ClientSize(area.Handle());
    constexpr int kLabelWidth = 90, kRow = 30, kTop = 14;
    const int editLeft = kMargin + kLabelWidth, fullWidth = size.cx - editLeft - kMargin;
    int y = kTop;
    for (const Field& f : fields) {
        area.AddControl(L"STATIC", f.label, 0, Rect(kMargin, y + 4, kLabelWidth, kLabelHeight), f.labelId);
        const bool wide = f.width == 0;
        const unsigned anchors = wide ? kLeft | kTop | kRight : kTopLeft;
        if (f.editId == IDC_MAIN_EDGENRE) {
            area.AddControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                            Rect(editLeft, y, f.width, kDropDownHeight), f.editId, anchors);
        } else {
            HWND edit = area.AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL,
                                        Rect(editLeft, y, wide ? fullWidth : f.width, kEditHeight), f.editId, anchors,
                                        WS_EX_CLIENTEDGE);
            SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
        }
        y += kRow;
    }
    area.AddControl(L"STATIC", L"", 0, Rect(kMargin, y, size.cx - 2 * kMargin, 2 * kLabelHeight), IDC_MAIN_TRACKINFO,
                    kLeft | kTop | kRight);
    const int buttonWidth = (size.cx - 3 * kMargin) / 2;
    area.AddControl(L"BUTTON", texts::TagOpen, WS_TABSTOP, Rect(kMargin, size.cy - 25 - kMargin, buttonWidth, 25),
                    IDC_MAIN_OPENBTN, kLeft | kBottom);
    area.AddControl(L"BUTTON", texts::TagSave, WS_TABSTOP,
                    Rect(2 * kMargin + buttonWidth, size.cy - 25 - kMargin, buttonWidth, 25), IDC_MAIN_SAVEBTN,
                    kLeft | kBottom);
}

void TMainForm::CreateBottomBar() {
    const SIZE client = layout_.DesignSize();
    RECT statusRect;
    GetWindowRect(statusBar_, &statusRect);
    const int top = client.cy - kBottomBarHeight - (statusRect.bottom - statusRect.top);
    const RECT barRect = Rect(0, top, client.cx, kBottomBarHeight);
    bottomBar_ = std::make_unique<TPanel>(Handle(), IDC_MAIN_BOTTOMBAR, barRect);
    layout_.Add(bottomBar_->Handle(), barRect, kLeft | kRight | kBottom);
    wwwBtn_ = bottomBar_->AddControl(L"BUTTON", texts::WebAddress, WS_TABSTOP | BS_OWNERDRAW, Rect(6, 4, 137, 33),
                                     IDC_MAIN_WWWBTN);
    const int y = (kBottomBarHeight - pictures::kImageButtonHeight) / 2;
    const int endeX = client.cx - pictures::kImageButtonWidth - 8;
    const int ueberX = endeX - pictures::kImageButtonWidth - 8;
    ueberbtn_ = &AddImageButton(*bottomBar_, IDC_MAIN_UEBERBTN, {ueberX, y}, texts::AboutPicture,
                                &TMainForm::ueberbtnClick);
    bottomBar_->Layout().Add(ueberbtn_->Handle(),
                             Rect(ueberX, y, pictures::kImageButtonWidth, pictures::kImageButtonHeight), kRight | kTop);
    endeBtn_ = &AddImageButton(*bottomBar_, IDC_MAIN_ENDEBTN, {endeX, y}, texts::EndPicture, &TMainForm::EndeBtnClick);
    bottomBar_->Layout().Add(endeBtn_->Handle(),
                             Rect(endeX, y, pictures::kImageButtonWidth, pictures::kImageButtonHeight), kRight | kTop);
}

void TMainForm::CreateStatusBar() {
    statusBar_ = CreateControl(Handle(), STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, Rect(0, 0, 0, 0), IDC_MAIN_STATUSBAR);
    int edges[] = {kStatusPanel0Width, kStatusPanel0Width + kStatusPanel1Width};
    SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageW(statusBar_, SB_SETTEXTW, kMeterPanel | SBT_OWNERDRAW, 0);
}

void TMainForm::CreateHints() {
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    const std::pair<HWND, const wchar_t*> hints[] = {
        {wwwBtn_, texts::HintWeb}, {ueberbtn_->Handle(), texts::HintAbout}, {endeBtn_->Handle(), texts::HintEnd}};
    for (const auto& [control, hint] : hints) {
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<wchar_t*>(hint);
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TMainForm::LayoutChildren() {
    if (!tabs_) {
        return;
    }
    layout_.Apply(ClientSize(Handle()));
    tabs_->FitPages();
    for (auto& sub : subTabs_) {
        sub->FitPages();
    }
}

void TMainForm::DrawWebButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (item.itemState & ODS_SELECTED) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    constexpr int kLogo = 24;
    const int shift = (item.itemState & ODS_SELECTED) ? 1 : 0;
    DrawIconEx(dc, r.left + 3 + shift, r.top + (r.bottom - r.top - kLogo) / 2 + shift, webLogo_, kLogo, kLogo, 0,
               nullptr, DI_NORMAL);
    RECT text = {r.left + kLogo + 6 + shift, r.top + shift, r.right - 1, r.bottom + shift};
    ScopedSelect font(dc, FormFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(128, 0, 0));
    const std::wstring caption = WindowText(item.hwndItem);
    DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace ui

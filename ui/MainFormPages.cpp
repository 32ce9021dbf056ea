// Building the main window: tabs, pages, bottom bar and status bar.
#include "MainForm.h"

#include "win/ScreenDpi.h"
#include "PageParts.h"
#include "Texts.h"
#include "jobs/ConvertJobs.h"
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
constexpr int kLargeIcon = 32;
constexpr int kWebLogo = 24;

BOOL CALLBACK SetFormFont(HWND child, LPARAM) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
    return TRUE;
}

} // namespace

HICON TMainForm::KeepIcon(HICON icon) {
    icons_.emplace_back(icon);
    return icon;
}

void TMainForm::CreateImageLists() {
    using pictures::Icon;
    const int small = win::Px(kSmallIcon);
    tabImages_.reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 4, 0));
    for (Icon icon : {Icon::TabMp3Wav, Icon::TabWavMp3, Icon::TabWavWav, Icon::TabTagEditor}) {
        ImageList_AddIcon(tabImages_.get(), KeepIcon(pictures::MakeIcon(icon, small)));
    }
    subTabImages_.reset(ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 2, 0));
    for (Icon icon : {Icon::SingleFile, Icon::Batch}) {
        ImageList_AddIcon(subTabImages_.get(), KeepIcon(pictures::MakeIcon(icon, small)));
    }
    webLogo_ = KeepIcon(pictures::MakeIcon(Icon::WebLogo, win::Px(kWebLogo)));
    browseGlyph_ = KeepIcon(pictures::MakeIcon(Icon::Browse, small));
    programIcon_ = KeepIcon(pictures::MakeIcon(Icon::Program, win::Px(kLargeIcon)));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon_));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(KeepIcon(pictures::MakeIcon(Icon::Program, small))));
}

void TMainForm::CreateControls() {
    CreateImageLists();
    CreateStatusBar();
    const SIZE client = ClientSize(Handle());
    RECT statusRect;
    GetWindowRect(statusBar_, &statusRect);
    const int tabsBottom = client.cy - kBottomBarHeight - win::DesignPx(statusRect.bottom - statusRect.top);
    layout_.SetDesignSize(client);

    const RECT tabsRect = {0, 0, client.cx, tabsBottom};
    tabs_ = std::make_unique<TTabbedPages>(Handle(), IDC_MAIN_TABS, tabsRect, tabImages_.get());
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
        subTabs_.push_back(std::make_unique<TTabbedPages>(*pages[i], ids[i][0], rest, kAll, subTabImages_.get()));
        subTabs_.back()->AddPage(texts::SubTabSingle, 0, ids[i][1]);
        if (ids[i][2]) {
            subTabs_.back()->AddPage(texts::SubTabBatch, 1, ids[i][2]);
        }
        TabCtrl_SetCurSel(subTabs_.back()->Handle(), 0);
        subTabs_.back()->SelectionChanged();
    }
    CreateSinglePages();
    mp3WavBatch_ =
        std::make_unique<TBatchPage>(subTabs_[0]->Page(1), false, browseGlyph_, *this, [this] { Gobtn2Click(); });
    wavMp3Batch_ =
        std::make_unique<TBatchPage>(subTabs_[1]->Page(1), true, browseGlyph_, *this, [this] { GoBtn4Click(); });

    panels_.push_back(std::make_unique<TPanel>(tagEditor.Handle(), 0, rest));
    tagEditor.Layout().Add(panels_.back()->Handle(), rest, kAll);
    tagEditor_ = std::make_unique<TTagEditorPage>(*panels_.back(), Handle());

    CreateBottomBar();
    CreateHints();
}

void TMainForm::CreatePage(TPanel& page, int headerId, const wchar_t* header, int columnId, const wchar_t* title) {
    const SIZE size = ClientSize(page.Handle());
    const RECT headerRect = Rect(kGap, kGap, size.cx - 2 * kGap, kHeaderHeight);
    panels_.push_back(std::make_unique<THeaderStrip>(page.Handle(), headerId, headerRect, header));
    page.Layout().Add(panels_.back()->Handle(), headerRect, kLeft | kTop | kRight);
    const RECT columnRect = {kGap, kHeaderHeight + 2 * kGap, kGap + kColumnWidth, size.cy - kGap};
    panels_.push_back(std::make_unique<TPictureColumn>(page.Handle(), columnId, columnRect, title));
    page.Layout().Add(panels_.back()->Handle(), columnRect, kLeft | kTop | kBottom);
}

TImageButton& TMainForm::AddImageButton(TPanel& panel, int id, POINT at, const wchar_t* text,
                                        void (TMainForm::*click)()) {
    imageButtons_.push_back(std::make_unique<TImageButton>(panel.Handle(), id, at, text, panel.Background(),
                                                           [this, click] { (this->*click)(); }));
    return *imageButtons_.back();
}

void TMainForm::CreateSinglePages() {
    auto after = [this](void (TMainForm::*handler)(std::wstring&, bool&)) {
        return [this, handler](std::wstring& name, bool& action) { (this->*handler)(name, action); };
    };
    auto page = [this](int tab, SinglePageDescription description, std::function<void()> goClick) {
        return std::make_unique<TSingleFilePage>(subTabs_[tab]->Page(0), std::move(description), browseGlyph_, *this,
                                                 std::move(goClick));
    };
    mp3WavPage_ = page(0,
                       {texts::LabelMp3Source,
                        IDC_MAIN_LABEL_MP3WAV_SOURCE,
                        {IDC_MAIN_INPUTFILEED_BOX, IDC_MAIN_INPUTFILEED, IDC_MAIN_INPUTFILEED_BROWSE, BrowseKind::Open,
                         L"mp3", texts::FilterMp3, after(&TMainForm::InputFileEdAfterDialog)},
                        texts::LabelWavDestination,
                        IDC_MAIN_LABEL_MP3WAV_DESTINATION,
                        {IDC_MAIN_OUTPUTFILEED_BOX, IDC_MAIN_OUTPUTFILEED, IDC_MAIN_OUTPUTFILEED_BROWSE,
                         BrowseKind::Save, L"wav", texts::FilterWav, nullptr},
                        0,
                        IDC_MAIN_CDQUALCHECK,
                        IDC_MAIN_GOBTN1,
                        &TMainForm::ConvertMP3WAV,
                        &TMainForm::ConvertMP3CDWAV},
                       [this] { GoBtn1Click(); });
    wavMp3Page_ = page(1,
                       {texts::LabelWavSource,
                        IDC_MAIN_LABEL_WAVMP3_SOURCE,
                        {IDC_MAIN_INPUT2ED_BOX, IDC_MAIN_INPUT2ED, IDC_MAIN_INPUT2ED_BROWSE, BrowseKind::Save, L"wav",
                         texts::FilterWav, after(&TMainForm::input2edAfterDialog)},
                        texts::LabelMp3Destination,
                        IDC_MAIN_LABEL_WAVMP3_DESTINATION,
                        {IDC_MAIN_OUTPUT2ED_BOX, IDC_MAIN_OUTPUT2ED, IDC_MAIN_OUTPUT2ED_BROWSE, BrowseKind::Open,
                         L"mp3", texts::FilterMp3, nullptr},
                        IDC_MAIN_LABEL_WAVMP3_FORMAT,
                        IDC_MAIN_MP3FORMAT,
                        IDC_MAIN_GOBTN3,
                        &TMainForm::ConvertWAVMP3,
                        nullptr},
                       [this] { GoBtn3Click(); });
    wavWavPage_ = page(2,
                       {texts::LabelWavSource,
                        IDC_MAIN_LABEL_WAVWAV_SOURCE,
                        {IDC_MAIN_INPUT3ED_BOX, IDC_MAIN_INPUT3ED, IDC_MAIN_INPUT3ED_BROWSE, BrowseKind::Save, L"wav",
                         texts::FilterWav, nullptr},
                        texts::LabelWavDestination,
                        IDC_MAIN_LABEL_WAVWAV_DESTINATION,
                        {IDC_MAIN_OUTPUT3ED_BOX, IDC_MAIN_OUTPUT3ED, IDC_MAIN_OUTPUT3ED_BROWSE, BrowseKind::Open,
                         L"wav", texts::FilterWav, nullptr},
                        IDC_MAIN_LABEL_WAVWAV_FORMAT,
                        IDC_MAIN_WAVFORMATS,
                        IDC_MAIN_GOBTN5,
                        &TMainForm::ConvertWAV2WAV,
                        nullptr},
                       [this] { GoBtn5Click(); });
}

void TMainForm::CreateBottomBar() {
    const SIZE client = layout_.DesignSize();
    RECT statusRect;
    GetWindowRect(statusBar_, &statusRect);
    const int top = client.cy - kBottomBarHeight - win::DesignPx(statusRect.bottom - statusRect.top);
    const RECT barRect = Rect(0, top, client.cx, kBottomBarHeight);
    bottomBar_ = std::make_unique<TPanel>(Handle(), IDC_MAIN_BOTTOMBAR, barRect);
    layout_.Add(bottomBar_->Handle(), barRect, kLeft | kRight | kBottom);
    wwwBtn_ = bottomBar_->AddControl(L"BUTTON", texts::WebAddress, WS_TABSTOP | BS_OWNERDRAW, Rect(6, 4, 137, 33),
                                     IDC_MAIN_WWWBTN);
    const int y = (kBottomBarHeight - pictures::kImageButtonHeight) / 2;
    const int endeX = client.cx - pictures::kImageButtonWidth - 8;
    const int ueberX = endeX - pictures::kImageButtonWidth - 8;
    ueberbtn_ =
        &AddImageButton(*bottomBar_, IDC_MAIN_UEBERBTN, {ueberX, y}, texts::AboutPicture, &TMainForm::ueberbtnClick);
    bottomBar_->Layout().Add(ueberbtn_->Handle(),
                             Rect(ueberX, y, pictures::kImageButtonWidth, pictures::kImageButtonHeight), kRight | kTop);
    endeBtn_ = &AddImageButton(*bottomBar_, IDC_MAIN_ENDEBTN, {endeX, y}, texts::EndPicture, &TMainForm::EndeBtnClick);
    bottomBar_->Layout().Add(endeBtn_->Handle(),
                             Rect(endeX, y, pictures::kImageButtonWidth, pictures::kImageButtonHeight), kRight | kTop);
}

void TMainForm::CreateStatusBar() {
    statusBar_ = CreateControl(Handle(), STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, Rect(0, 0, 0, 0), IDC_MAIN_STATUSBAR);
    int edges[] = {win::Px(kStatusPanel0Width), win::Px(kStatusPanel0Width + kStatusPanel1Width)};
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
    RECT client;
    GetClientRect(Handle(), &client);
    layout_.Apply({client.right, client.bottom});
    tabs_->FitPages();
    for (auto& sub : subTabs_) {
        sub->FitPages();
    }
}

// The window moved to a screen of another density: fonts, pictures and the
// layout follow it, in the size the system suggests.
void TMainForm::FormDpiChanged(int dpi, const RECT& suggested) {
    win::SetScreenDpi(dpi);
    RedrawImageLists();
    EnumChildWindows(Handle(), SetFormFont, 0);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutChildren();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TMainForm::RedrawImageLists() {
    // The tab controls show the old lists until they hold the new ones.
    const win::ScopedImageList oldTabImages = std::move(tabImages_);
    const win::ScopedImageList oldSubTabImages = std::move(subTabImages_);
    CreateImageLists();
    TabCtrl_SetImageList(tabs_->Handle(), tabImages_.get());
    for (auto& sub : subTabs_) {
        TabCtrl_SetImageList(sub->Handle(), subTabImages_.get());
    }
}

void TMainForm::DrawWebButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (item.itemState & ODS_SELECTED) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    const int logo = win::Px(kWebLogo);
    const int shift = (item.itemState & ODS_SELECTED) ? 1 : 0;
    DrawIconEx(dc, r.left + win::Px(3) + shift, r.top + (r.bottom - r.top - logo) / 2 + shift, webLogo_, logo, logo, 0,
               nullptr, DI_NORMAL);
    RECT text = {r.left + logo + win::Px(6) + shift, r.top + shift, r.right - 1, r.bottom + shift};
    win::ScopedSelect font(dc, FormFont());
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

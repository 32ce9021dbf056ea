#include "MainForm.h"

#include "AboutBox.h"
#include "Application.h"
#include "win/ScreenDpi.h"
#include "StatusForm.h"
#include "Texts.h"
#include "resource.h"

#include "core/FileNameRules.h"
#include "jobs/ConvertJobs.h"
#include "win/ProgramPath.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

namespace ui {
namespace {

const wchar_t kMainFormClass[] = L"TMainForm";
constexpr int kClientWidth = 675;
constexpr int kClientHeight = 443;
constexpr int kMinimumWidth = 400;
constexpr int kMinimumHeight = 300;
const COLORREF kMeterColor = RGB(0, 0, 128);
// The status-bar part that holds a batch run's progress line.
constexpr int kTextPanel = 0;
// Posted to itself when a run that a close request cut short has returned.
constexpr UINT WM_APP_CLOSEAFTERRUN = WM_APP + 1;

void PaintMeter(HDC dc, const core::MeterRect& fill) {
    win::ScopedBrush brush(CreateSolidBrush(kMeterColor));
    win::ScopedPen pen(CreatePen(PS_SOLID, 1, kMeterColor));
    win::ScopedSelect b(dc, brush.get());
    win::ScopedSelect p(dc, pen.get());
    Rectangle(dc, fill.left, fill.top, fill.right, fill.bottom);
}

} // namespace

TMainForm::TMainForm() : FormStorage1(ProgramProfileName()) {
    RegisterWindowClass(kMainFormClass, GetSysColorBrush(COLOR_BTNFACE));
    RECT frame = {0, 0, win::Px(kClientWidth), win::Px(kClientHeight)};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    CreateHandle(WS_EX_CONTROLPARENT, kMainFormClass, texts::MainCaption, style,
                 (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
                 height, nullptr, 0);
}

TMainForm::~TMainForm() {
    // Destroyed without having been closed: the window still gets its
    // destruction handling, which stores the profile.
    if (Handle()) {
        DestroyWindow(Handle());
    }
    imageButtons_.clear();
    tabImages_.reset();
    subTabImages_.reset();
}

void TMainForm::Show(int showCommand) {
    bool minimizeAfterShow = false;
    if (!FormStorage1.Restored()) {
        FormShow(showCommand, minimizeAfterShow);
    }
    ShowWindow(Handle(), showCommand);
    UpdateWindow(Handle());
    if (minimizeAfterShow) {
        ShowWindow(Handle(), SW_MINIMIZE);
    }
}

void TMainForm::FormCreate() {
    ProgramDir = win::ProgramFolder();
    CreateControls();
    FillFormatLists();
    ReadSettings();
    tagEditor_->FillGenreList();
    FileCount = 1;
    FilesDone = 0;
}

void TMainForm::FormDestroy() {
    if (FormStorage1.Restored() && !FormStorage1.Saved()) {
        // The window is going; the message box cannot belong to it.
        FormStorage1.SaveFormPlacement(Handle(), nullptr, ReadStoredControls(), true);
    }
    PostQuitMessage(0);
}

void TMainForm::FormCloseQuery() {
    if (running_) {
        RequestCancel();
        pendingClose_ = PendingClose::Close;
        return;
    }
    if (MessageBoxW(Handle(), texts::CloseQuestion, texts::CloseQuestionTitle, MB_OKCANCEL | MB_ICONINFORMATION) ==
        IDOK) {
        if (FormStorage1.Restored()) {
            FormStorage1.SaveFormPlacement(Handle(), Handle(), ReadStoredControls(), false);
        }
        DestroyWindow(Handle());
    }
}

// The session ends without asking: the window is destroyed unclosed, which
// still stores the profile.
void TMainForm::FormEndSession() {
    if (running_) {
        RequestCancel();
        pendingClose_ = PendingClose::EndSession;
        return;
    }
    DestroyWindow(Handle());
}

// The request came from outside during a run (the question could not be
// asked then), so the window closes as if it had been answered.
void TMainForm::CloseAfterRun() {
    const PendingClose pending = pendingClose_;
    pendingClose_ = PendingClose::None;
    if (pending == PendingClose::Close && FormStorage1.Restored()) {
        FormStorage1.SaveFormPlacement(Handle(), Handle(), ReadStoredControls(), false);
    }
    if (pending != PendingClose::None) {
        DestroyWindow(Handle());
    }
}

void TMainForm::FormResize() {
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    LayoutChildren();
}

// The control that had the keyboard when another window came in front (a
// message box, the progress window) gets it back, so that keyboard work goes
// on where it was.
void TMainForm::FormDeactivate() {
    const HWND focus = GetFocus();
    focusBeforeDeactivation_ = IsChild(Handle(), focus) ? focus : nullptr;
}

void TMainForm::FormActivate() {
    const HWND focus = focusBeforeDeactivation_;
    if (focus && IsWindow(focus) && IsWindowVisible(focus) && IsChild(Handle(), focus)) {
        SetFocus(focus);
    } else {
        SetFocus(Handle());
    }
}

void TMainForm::StartRun(TImageButton& button, ui::RunMode mode, PageJob job) {
    button.ResetImage();
    if (Converting) {
        return;
    }
    FilesDone = 0;
    FileCount = 1;
    RunMode = mode;
    running_ = true;
    Run(std::move(job));
    running_ = false;
    if (pendingClose_ != PendingClose::None) {
        PostMessageW(Handle(), WM_APP_CLOSEAFTERRUN, 0, 0);
    } else if (mode == ui::RunMode::Mp3ToWavBatch || mode == ui::RunMode::WavToMp3Batch) {
        ShowBatchSummary();
    }
}

// The single-file jobs convert with the format chosen on the WAV to MP3 and
// WAV to WAV pages; the batch runs read the same choice.
void TMainForm::RunPageJob(JobKind kind, const std::wstring& source, const std::wstring& destination) {
    RunConversion(
        formats_.Request(kind, source, destination, ComboBox_GetCurSel(mp3format()), ComboBox_GetCurSel(WAVFormats())),
        *this);
}

void TMainForm::ConvertMP3WAV(const std::wstring& source, const std::wstring& destination) {
    RunPageJob(JobKind::Mp3ToWav, source, destination);
}

void TMainForm::ConvertMP3CDWAV(const std::wstring& source, const std::wstring& destination) {
    RunPageJob(JobKind::Mp3ToCdWav, source, destination);
}

void TMainForm::ConvertWAVMP3(const std::wstring& source, const std::wstring& destination) {
    RunPageJob(JobKind::WavToMp3, source, destination);
}

void TMainForm::ConvertWAV2WAV(const std::wstring& source, const std::wstring& destination) {
    RunPageJob(JobKind::WavToWav, source, destination);
}

std::vector<JobRequest> TMainForm::BatchRequests(JobKind kind, const std::vector<std::wstring>& sources,
                                                 bool besideSource, const std::wstring& folderField) const {
    return formats_.BatchRequests(kind, sources, besideSource, folderField, ComboBox_GetCurSel(mp3format()));
}

void TMainForm::EntryEnded(int index, bool cutShort) {
    TRunSession::EntryEnded(index, cutShort);
    ++FilesDone;
}

void TMainForm::GoBtn1Click() { StartRun(mp3WavPage_->GoButton(), ui::RunMode::Mp3ToWavFile, mp3WavPage_->Job()); }
void TMainForm::Gobtn2Click() { StartRun(mp3WavBatch_->GoButton(), ui::RunMode::Mp3ToWavBatch, Gobtn2Proc()); }
void TMainForm::GoBtn3Click() { StartRun(wavMp3Page_->GoButton(), ui::RunMode::WavToMp3File, wavMp3Page_->Job()); }
void TMainForm::GoBtn4Click() { StartRun(wavMp3Batch_->GoButton(), ui::RunMode::WavToMp3Batch, Gobtn4Proc()); }
void TMainForm::GoBtn5Click() { StartRun(wavWavPage_->GoButton(), ui::RunMode::WavToWavFile, wavWavPage_->Job()); }

void TMainForm::InputFileEdAfterDialog(std::wstring& fileName, bool& /*action*/) {
    OutputFileEd().PutFileName(core::ReplaceExtension(fileName, L".wav"));
}

void TMainForm::input2edAfterDialog(std::wstring& fileName, bool& /*action*/) {
    Output2Ed().PutFileName(core::ReplaceExtension(fileName, L".mp3"));
}

void TMainForm::ueberbtnClick() {
    ueberbtn_->ResetImage();
    TAboutBox about(Handle(), programIcon_);
    about.ShowModal();
}

void TMainForm::wwwBtnClick() { ShellExecuteW(Handle(), L"open", texts::WebAddress, nullptr, nullptr, SW_SHOWNORMAL); }

void TMainForm::EndeBtnClick() {
    endeBtn_->ResetImage();
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

namespace {

struct FindItem {
    int id;
    HWND found;
};

BOOL CALLBACK FindItemById(HWND hwnd, LPARAM param) {
    auto* find = reinterpret_cast<FindItem*>(param);
    if (GetDlgCtrlID(hwnd) == find->id) {
        find->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND TMainForm::Item(int id) const {
    FindItem find{id, nullptr};
    EnumChildWindows(Handle(), FindItemById, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

bool TMainForm::Checked(int id) const { return Button_GetCheck(Item(id)) == BST_CHECKED; }

void TMainForm::ShowMeter(int percent) {
    // A smaller fill must first erase the larger one; a larger one paints over it.
    const bool shrinking = CurrentPercent > percent;
    CurrentPercent = percent;
    if (shrinking) {
        RedrawWindow(statusBar_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    } else {
        SBarPaintMore();
    }
}

void TMainForm::StatusBar1DrawPanel(HDC dc, const RECT& panel) {
    const core::MeterRect bounds{panel.left, panel.top, panel.right, panel.bottom};
    PaintMeter(dc, core::MeterFill(bounds, CurrentPercent));
    MeterRect = bounds;
}

void TMainForm::SBarPaintMore() {
    win::ScopedWindowDC dc(statusBar_);
    PaintMeter(dc.get(), core::MeterFill(MeterRect, CurrentPercent));
}

void TMainForm::ShowProgressLine(const std::wstring& line) {
    SendMessageW(statusBar_, SB_SETTEXTW, kTextPanel, reinterpret_cast<LPARAM>(line.c_str()));
    TRunSession::ShowProgressLine(line);
}

void TMainForm::OnCommand(int id, int code, HWND control) {
    if (id == IDM_MAIN_NEXTTAB || id == IDM_MAIN_PREVIOUSTAB) {
        tabs_->SelectNext(id == IDM_MAIN_PREVIOUSTAB);
        return;
    }
    if (code == BN_CLICKED && id == IDC_MAIN_WWWBTN) {
        wwwBtnClick();
        return;
    }
    if (code == BN_CLICKED && (mp3WavBatch_->OnButtonClick(id) || wavMp3Batch_->OnButtonClick(id))) {
        return;
    }
    if (tagEditor_->OnCommand(id, code, control)) {
        return;
    }
    switch (id) {
    case IDC_MAIN_MP3FORMAT:
    case IDC_MAIN_WAVFORMATS:
        if (code == CBN_SELCHANGE) {
            mp3formatChange();
        }
        break;
    case IDC_MAIN_MP3FORMAT2:
        if (code == CBN_SELCHANGE) {
            mp3format2Change();
        }
        break;
    default:
        break;
    }
}

LRESULT TMainForm::OnNotify(const NMHDR& header) {
    if (header.code != TCN_SELCHANGE) {
        return 0;
    }
    if (static_cast<int>(header.idFrom) == tabs_->Id()) {
        tabs_->SelectionChanged();
    }
    for (auto& sub : subTabs_) {
        if (static_cast<int>(header.idFrom) == sub->Id()) {
            sub->SelectionChanged();
        }
    }
    return 0;
}

// -1 lets the list handle the key itself.
LRESULT TMainForm::OnListKey(HWND list, int key) {
    if (mp3WavBatch_->OnListKey(list, key) || wavMp3Batch_->OnListKey(list, key)) {
        return -2;
    }
    return -1;
}

void TMainForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == statusBar_) {
        if (item.itemID == kMeterPanel) {
            StatusBar1DrawPanel(item.hDC, item.rcItem);
        }
    } else if (item.hwndItem == wwwBtn_) {
        DrawWebButton(item);
    } else if (!mp3WavBatch_->OnDrawItem(item)) {
        wavMp3Batch_->OnDrawItem(item);
    }
}

LRESULT TMainForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FormCreate();
        return 0;
    case WM_SIZE:
        FormResize();
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {win::Px(kMinimumWidth), win::Px(kMinimumHeight)};
        return 0;
    case WM_DPICHANGED:
        FormDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        FormCloseQuery();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            FormDeactivate();
        } else if (!HIWORD(wParam)) {
            FormActivate();
        }
        return 0;
    case WM_APP_CLOSEAFTERRUN:
        CloseAfterRun();
        return 0;
    case WM_ENDSESSION:
        if (wParam) {
            FormEndSession();
        }
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_VKEYTOITEM:
        return OnListKey(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace ui

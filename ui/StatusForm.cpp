#include "StatusForm.h"

#include "Application.h"
#include "win/ScreenDpi.h"
#include "RunSession.h"
#include "Pictures.h"
#include "Texts.h"
#include "resource.h"

#include <commctrl.h>

namespace ui {
namespace {

const wchar_t kStatusFormClass[] = L"TStatusForm";
constexpr int kClientWidth = 370;
constexpr int kClientHeight = 128;
constexpr UINT kTimerInterval = 100;
constexpr int kGlyphSize = 16;
// Posted to itself once the window shows: the command runs from the modal
// loop, after the window has appeared.
constexpr UINT WM_APP_RUNCOMMAND = WM_APP + 1;

} // namespace

TStatusForm::TStatusForm(HWND owner, TRunSession& session) : owner_(owner), session_(session) {
    RegisterWindowClass(kStatusFormClass, GetSysColorBrush(COLOR_BTNFACE));
    RECT frame = {0, 0, win::Px(kClientWidth), win::Px(kClientHeight)};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    CreateHandle(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kStatusFormClass, texts::StatusCaption, style, 0, 0,
                 frame.right - frame.left, frame.bottom - frame.top, owner, 0);
    CreateControls();
}

void TStatusForm::CreateControls() {
    header_ =
        std::make_unique<THeaderStrip>(Handle(), IDC_STATUS_HEADER, Rect(0, 0, kClientWidth, 33), texts::StatusHeader);
    HWND form = Handle();
    CreateControl(form, L"STATIC", texts::StatusCurrentFile, 0, Rect(10, 44, 80, 14), IDC_STATUS_LABEL1);
    progressBar1_ =
        CreateControl(form, PROGRESS_CLASSW, L"", PBS_SMOOTH, Rect(92, 42, 268, 16), IDC_STATUS_PROGRESSBAR1);
    CreateControl(form, L"STATIC", texts::StatusTotal, 0, Rect(10, 68, 80, 14), IDC_STATUS_LABEL2);
    progressBar2_ =
        CreateControl(form, PROGRESS_CLASSW, L"", PBS_SMOOTH, Rect(92, 66, 268, 16), IDC_STATUS_PROGRESSBAR2);
    cancelBtn_ = CreateControl(form, L"BUTTON", texts::StatusCancel, WS_TABSTOP | BS_OWNERDRAW, Rect(135, 93, 100, 27),
                               IDC_STATUS_CANCELBTN);
    cancelGlyph_.reset(pictures::MakeIcon(pictures::Icon::Cancel, win::Px(kGlyphSize)));
    for (HWND bar : {progressBar1_, progressBar2_}) {
        SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    }
}

void TStatusForm::ShowModal() {
    RECT window;
    GetWindowRect(Handle(), &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    SetWindowPos(Handle(), HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE);
    modalResult_ = 0;
    RunModal(
        Handle(), owner_, cancelBtn_, [this] { return modalResult_ != 0; },
        [this] { PostMessageW(Handle(), WM_APP_RUNCOMMAND, 0, 0); });
    KillTimer(Handle(), IDT_STATUS_TIMER1);
    ShowWindow(Handle(), SW_HIDE);
}

void TStatusForm::CloseModal(int result) { modalResult_ = result; }

void TStatusForm::ResetProgressBars() { SetProgress(0, 0); }

void TStatusForm::SetProgress(int currentFile, int total) {
    SendMessageW(progressBar1_, PBM_SETPOS, static_cast<WPARAM>(currentFile), 0);
    SendMessageW(progressBar2_, PBM_SETPOS, static_cast<WPARAM>(total), 0);
}

void TStatusForm::FormActivate() {
    runFinished_ = false;
    RunCommand();
    runFinished_ = true;
    SetTimer(Handle(), IDT_STATUS_TIMER1, kTimerInterval, nullptr);
}

void TStatusForm::Refuse() { MessageBoxW(Handle(), texts::MissingFileNames, texts::ErrorTitle, MB_OK | MB_ICONERROR); }

// A failure that ended a run is shown over this window: the jobs have cleaned up already.
void TStatusForm::RunCommand() {
    if (session_.RunJob() && !session_.RunCurrentJob()) {
        Refuse();
    }
}

void TStatusForm::CancelBtnClick() { session_.RequestCancel(); }

void TStatusForm::FormCloseQuery() {
    session_.RequestCancel();
    if (runFinished_) {
        CloseModal(IDCANCEL);
    }
}

void TStatusForm::Timer1Timer() {
    KillTimer(Handle(), IDT_STATUS_TIMER1);
    CloseModal(IDOK);
}

LRESULT TStatusForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_APP_RUNCOMMAND:
        FormActivate();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_STATUS_CANCELBTN) {
            CancelBtnClick();
        }
        return 0;
    case WM_DRAWITEM:
        DrawGlyphButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), cancelGlyph_.get());
        return TRUE;
    case WM_CLOSE:
        FormCloseQuery();
        return 0;
    case WM_TIMER:
        if (wParam == IDT_STATUS_TIMER1) {
            Timer1Timer();
        }
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace ui

#include "InstallKit.h"
#include "ShellTexts.h"

#include "win/ScreenDpi.h"

#include <dde.h>

HWND MainWindow;
HWND ProgressWindow;
HWND StatusLine;
HWND ContinueButton;
HWND QuitButton;
uint16_t DesktopRight;
uint16_t DesktopBottom;
HBRUSH FaceBrush;
HBRUSH HighlightBrush;
HBRUSH ShadowBrush;

namespace {

constexpr int kMainWidth = 520;
constexpr int kMainHeight = 360;
constexpr int kProgressWidth = 320;
constexpr int kProgressHeight = 200;
constexpr COLORREF kFaceColour = RGB(0, 0, 161);
constexpr COLORREF kHighlightColour = RGB(0, 0, 255);
constexpr COLORREF kShadowColour = RGB(0, 0, 91);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

HBRUSH LightGreyBrush() { return static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)); }

LRESULT EditColours(HDC dc) {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT StaticColours(HDC dc) {
    SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SetTextColor(dc, kWhite);
    SetBkColor(dc, kFaceColour);
    return reinterpret_cast<LRESULT>(FaceBrush);
}

// Only the "clicked" notification of a control with identifier 0 acts; edit
// notifications carry other codes.
void MainCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != 0 || HIWORD(wParam) != BN_CLICKED) {
        return;
    }
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control == ContinueButton) {
        ThisProgram.continueClicked();
    } else if (control == QuitButton) {
        ConfirmExit();
    }
}

// The control that had the keyboard when the main window lost it (to a
// message box, say) gets it back when the window is active again.
HWND FocusBeforeDeactivation;

void MainActivation(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        FocusBeforeDeactivation = GetFocus();
        return;
    }
    SetFocus(IsChild(MainWindow, FocusBeforeDeactivation) ? FocusBeforeDeactivation : MainWindow);
}

bool IsMainButton(HWND window) { return window && (window == ContinueButton || window == QuitButton); }

// Enter presses a focused button as a click does; Tab, Shift+Tab and the
// other dialog keys work in the main window as in a dialog.
bool HandleDialogKey(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && IsMainButton(message.hwnd)) {
        SendMessageA(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    return MainWindow && IsDialogMessageA(MainWindow, &message);
}

void CreateMainWindow(const RECT& desktop) {
    int x = (desktop.right - desktop.left - win::Px(kMainWidth)) / 2;
    int y = (desktop.bottom - desktop.top - win::Px(kMainHeight)) / 2;
    MainWindow = CreateWindowA(kMainClassName, ThisProgram.mainCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y,
                               win::Px(kMainWidth), win::Px(kMainHeight), nullptr, nullptr, Instance(), nullptr);
}

} // namespace

void RegisterWindowClass(WNDPROC procedure, const char* className, HBRUSH background) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = Instance();
    windowClass.hIcon = LoadIconA(Instance(), "ICON");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass)) {
        MessageBoxA(nullptr, kRegisterClassFailed, nullptr, MB_TASKMODAL | MB_ICONERROR | MB_OK);
        PostQuitMessage(0);
        ExitProcess(0);
    }
}

HWND MakeWindow(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                HWND parent) {
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, className, text, style, win::Px(x), win::Px(y), win::Px(width),
                                  win::Px(height), parent, nullptr, Instance(), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

HWND MakeStatic(const std::string& text, int x, int y, int width, int height) {
    return MakeWindow("STATIC", text.c_str(), WS_CHILD | SS_CENTER, x, y, width, height, MainWindow);
}

void MakeButtons() {
    ContinueButton =
        MakeWindow("BUTTON", kContinueCaption, WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, 5, 290, 251, 25, MainWindow);
    QuitButton =
        MakeWindow("BUTTON", kQuitCaption, WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, 256, 290, 251, 25, MainWindow);
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!HandleDialogKey(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void ConfirmExit() {
    if (MessageBoxA(MainWindow, kConfirmExitText, kConfirmExitCaption, MB_ICONQUESTION | MB_YESNO) == IDYES) {
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CTLCOLOREDIT:
        return EditColours(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORMSGBOX:
        return StaticColours(reinterpret_cast<HDC>(wParam));
    case WM_DRAWITEM:
        PaintOwnerButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        MainCommand(wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        MainActivation(wParam);
        return 0;
    case WM_NCHITTEST:
        if (ThisProgram.dragByAnyPoint) {
            return HTCAPTION;
        }
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
        SelectObject(reinterpret_cast<HDC>(wParam), GetStockObject(ANSI_VAR_FONT));
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_DDE_TERMINATE:
        DdeTerminated = true;
        return 0;
    case WM_DDE_ACK:
        ProgmanAcknowledged(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void BuildProgressWindow(const char* waitText, bool withStatusLine) {
    ShowWindow(MainWindow, SW_HIDE);
    RegisterWindowClass(ProgressWindowProc, kProgressClassName, LightGreyBrush());
    // Centred on the desktop in design pixels, so that the scaled window is centred too.
    ProgressWindow = MakeWindow(
        kProgressClassName, kProgressTitle, WS_CAPTION | WS_SYSMENU, (win::DesignPx(DesktopRight) - kProgressWidth) / 2,
        (win::DesignPx(DesktopBottom) - kProgressHeight) / 2, kProgressWidth, kProgressHeight, nullptr);
    MakeWindow("STATIC", "", WS_CHILD | SS_WHITEFRAME, 10, 15, 290, 50, ProgressWindow);
    MakeWindow("STATIC", waitText, WS_CHILD | SS_CENTER, 15, 20, 280, 40, ProgressWindow);
    if (withStatusLine) {
        StatusLine = MakeWindow("STATIC", "", WS_CHILD | SS_CENTER, 10, 70, 290, 80, ProgressWindow);
    }
}

void EndProcedure() {
    DestroyWindow(ProgressWindow);
    UnregisterClassA(kProgressClassName, Instance());
    PostQuitMessage(0);
}

int RunInstallerProgram() {
    if (!ReadInstallLog()) {
        if (SilentRun()) {
            return kExitDamagedLog;
        }
        MessageBoxA(nullptr, ThisProgram.damagedLogText, ThisProgram.damagedLogCaption, MB_ICONINFORMATION | MB_OK);
        return 0;
    }
    if (SilentRun()) {
        return ThisProgram.runSilently();
    }
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    DesktopRight = static_cast<uint16_t>(desktop.right);
    DesktopBottom = static_cast<uint16_t>(desktop.bottom);
    FaceBrush = CreateSolidBrush(kFaceColour);
    HighlightBrush = CreateSolidBrush(kHighlightColour);
    ShadowBrush = CreateSolidBrush(kShadowColour);
    RegisterWindowClass(MainWindowProc, kMainClassName, LightGreyBrush());
    CreateMainWindow(desktop);
    ThisProgram.createMainControls();
    ShowWindow(MainWindow, SW_SHOW);
    SetFocus(GetNextDlgTabItem(MainWindow, nullptr, FALSE));
    RunMessageLoop();
    DeleteObject(FaceBrush);
    DeleteObject(HighlightBrush);
    DeleteObject(ShadowBrush);
    UnregisterClassA(kMainClassName, Instance());
    return 0;
}

#include "Application.h"

#include "KeyboardNavigation.h"
#include "Texts.h"
#include "resource.h"

namespace ui {
namespace {

// Dialog keys (Tab, Esc, Enter) go to the window in front of the thread.
void Dispatch(MSG& msg) {
    HWND front = FrontWindow();
    if (front && IsDialogMessageW(front, &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

} // namespace

HWND FrontWindow() { return GetActiveWindow(); }

void ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void RunModal(HWND window, HWND owner, HWND focus, const std::function<bool()>& finished,
              const std::function<void()>& shown) {
    if (owner) {
        EnableWindow(owner, FALSE);
    }
    ShowWindow(window, SW_SHOW);
    SetFocus(focus);
    if (shown) {
        shown();
    }
    MSG msg;
    while (!finished()) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

namespace {

// The main window's keys: its shortcuts (Ctrl+Tab between the tabs), then
// Tab and Enter as in a dialog, then the rest of the dialog keys.
bool HandleMainWindowKey(HWND mainWindow, HACCEL shortcuts, MSG& msg) {
    if (!IsWindow(mainWindow)) {
        return false;
    }
    return TranslateAcceleratorW(mainWindow, shortcuts, &msg) || HandleNavigationKey(mainWindow, msg) ||
           IsDialogMessageW(mainWindow, &msg);
}

} // namespace

int RunMessageLoop(HWND mainWindow) {
    const HACCEL shortcuts = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_SHORTCUTS));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!HandleMainWindowKey(mainWindow, shortcuts, msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

void ShowApplicationError(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), texts::ApplicationTitle, MB_OK | MB_ICONERROR);
}

void ShowErrorMessage(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
}

} // namespace ui

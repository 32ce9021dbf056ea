#pragma once
// Finds and waits for the windows and message boxes of a program under test
// from outside, as a user sees them. Every wait is for a condition, with a
// limit that only a fault reaches.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

constexpr DWORD kWindowPatience = 60000;

// Waits until condition holds, handling this thread's messages meanwhile (a
// test may serve a conversation of its own); false when it never did.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWindowPatience);

std::wstring ClassOf(HWND window);
// Asked of the window itself: GetWindowText does not reach the text of another
// process's controls.
std::wstring TextOf(HWND window);

// Visible top-level windows of a process with the given class, in Z order.
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className);
// The first of them that accepts takes (any, without one), once it shows; null
// when none came.
HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs = kWindowPatience,
                   const std::function<bool(HWND)>& accepts = nullptr);

// The file name field of the platform's file dialogs: a combo box on Windows,
// an edit under Wine; null in any other dialog.
HWND FileNameField(HWND dialog);
// A file dialog's labels may carry the identifier of a message box's text, so
// a message box is a dialog with that text and no file name field.
bool IsMessageBox(HWND dialog);

struct MessageBoxSeen {
    HWND window = nullptr;
    DWORD processId = 0;
    std::wstring caption;
    std::wstring text;
    HICON icon = nullptr;
};

// The message box of a process, once it shows; empty window when none came.
MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs = kWindowPatience);
// What a box shows, read from outside.
MessageBoxSeen DescribeMessageBox(HWND window);
// Presses one of the box's buttons and waits until the box has gone.
void Answer(const MessageBoxSeen& box, int buttonId);
bool HasButton(const MessageBoxSeen& box, int buttonId);
// Which icon a box shows cannot be told from outside (each box draws its own
// copy), only whether it shows one.
inline bool HasIcon(const MessageBoxSeen& box) { return box.icon != nullptr; }

} // namespace testsupport

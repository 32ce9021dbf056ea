#pragma once
// The converter's message handling outside any one window: the pump that the
// jobs run between blocks, the modal loops, and the message boxes that are
// not tied to one window.
#include <windows.h>

#include <functional>
#include <string>

namespace ui {

// Lets every pending message run once, keyboard navigation of the window in
// front included (Esc on the progress window).
void ProcessMessages();

// Shows window modally over owner: the owner is disabled before the window
// appears (so it never takes a click meanwhile), focus gets the keyboard,
// shown() runs once the window is up, and messages run until finished()
// holds; then the owner is enabled and activated again. A quit message ends
// the loop early and is posted again for the outer loop.
void RunModal(HWND window, HWND owner, HWND focus, const std::function<bool()>& finished,
              const std::function<void()>& shown = {});

// The main loop: runs until the main window's quit message.
int RunMessageLoop(HWND mainWindow);

// The application's general error box: the application title as caption.
void ShowApplicationError(HWND owner, const std::wstring& text);

// A message box with the error icon and the platform's default caption.
void ShowErrorMessage(HWND owner, const std::wstring& text);

// The window of this thread that is in front (the modal one while a run is on).
HWND FrontWindow();

} // namespace ui

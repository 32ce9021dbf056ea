#pragma once
// What screen readers learn of a drawn button: the window's standard
// accessible object, except that it is a push button named by its window
// text, whose default action clicks it.
#include <windows.h>

namespace ui {

// The answer to WM_GETOBJECT for the client object of button. The default
// action posts BM_CLICK, so the button must take that message as a click,
// and its state comes from BM_GETSTATE.
LRESULT AnswerAsPushButton(HWND button, WPARAM flags);

} // namespace ui

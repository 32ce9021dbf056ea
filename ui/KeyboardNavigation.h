#pragma once
// Keys that move through a window as through a dialog. The platform's
// dialog handling treats a tab control as a control only, never as the
// container of its pages, so Tab and Shift+Tab are taken here: they go
// through the window's tab stops in reading order, a tab control's strip
// first and then its shown page. Enter presses a focused push button.
#include <windows.h>

#include <vector>

namespace ui {

// The visible, enabled tab stops of root in the order Tab reaches them.
std::vector<HWND> TabStops(HWND root);

// Handles msg when it is Tab or Shift+Tab (without Ctrl) for a control of
// root that does not take Tab itself, or Enter on a focused push button;
// false for any other message.
bool HandleNavigationKey(HWND root, const MSG& msg);

} // namespace ui

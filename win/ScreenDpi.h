#pragma once
// The screen's pixel density as the system reports it to this program, and the
// density its windows are drawn for. Layout sizes are written in pixels of a
// 96-DPI screen and go through Px on their way to a window; sizes read back
// from a window return through DesignPx, DesignSize and DesignRect.
#include <windows.h>

namespace win {

// Dots per inch of the screen; 96 when the system tells none.
int MeasuredScreenDpi();

// The screen's density when the first window was made, or the one a window
// was last moved to.
int ScreenDpi();
void SetScreenDpi(int dpi);

int Px(int designPixels);
RECT Px(const RECT& design);

int DesignPx(int devicePixels);
SIZE DesignSize(SIZE device);
RECT DesignRect(const RECT& device);

} // namespace win

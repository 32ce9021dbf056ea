#pragma once
// The pixel density the converter's windows are drawn for. Layout sizes are
// written in pixels of a 96-DPI screen and go through Px on their way to a
// window; sizes read back from a window return through DesignPx and DesignSize.
#include <windows.h>

namespace ui {

// The screen's density when the first window was made, or the one the main
// window was last moved to.
int ScreenDpi();
void SetScreenDpi(int dpi);

int Px(int designPixels);
// Position and size scaled each, so that a control's size does not depend on
// where it sits.
RECT Px(const RECT& design);

int DesignPx(int devicePixels);
SIZE DesignSize(SIZE device);
RECT DesignRect(const RECT& device);

} // namespace ui

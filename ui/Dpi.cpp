#include "Dpi.h"

#include "core/DpiScale.h"
#include "win/ScreenDpi.h"

namespace ui {
namespace {

int& CurrentDpi() {
    static int dpi = win::MeasuredScreenDpi();
    return dpi;
}

} // namespace

int ScreenDpi() { return CurrentDpi(); }

void SetScreenDpi(int dpi) {
    if (dpi > 0) {
        CurrentDpi() = dpi;
    }
}

int Px(int designPixels) { return core::ScaledToDpi(designPixels, ScreenDpi()); }

RECT Px(const RECT& design) {
    const int left = Px(design.left), top = Px(design.top);
    return {left, top, left + Px(design.right - design.left), top + Px(design.bottom - design.top)};
}

int DesignPx(int devicePixels) { return core::DesignPixelsAt(devicePixels, ScreenDpi()); }

SIZE DesignSize(SIZE device) { return {DesignPx(device.cx), DesignPx(device.cy)}; }

RECT DesignRect(const RECT& device) {
    const int left = DesignPx(device.left), top = DesignPx(device.top);
    return {left, top, left + DesignPx(device.right - device.left), top + DesignPx(device.bottom - device.top)};
}

} // namespace ui

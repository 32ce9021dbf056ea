#include "ScreenDpi.h"

#include "Scoped.h"
#include "core/DpiScale.h"

namespace win {
namespace {

int& CurrentDpi() {
    static int dpi = MeasuredScreenDpi();
    return dpi;
}

core::PixelBox Box(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

RECT Rect(const core::PixelBox& b) { return {b.left, b.top, b.right, b.bottom}; }

} // namespace

int MeasuredScreenDpi() {
    ScopedWindowDC screen(nullptr);
    const int measured = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return measured > 0 ? measured : core::kDesignDpi;
}

int ScreenDpi() { return CurrentDpi(); }

void SetScreenDpi(int dpi) {
    if (dpi > 0) {
        CurrentDpi() = dpi;
    }
}

int Px(int designPixels) { return core::ScaledToDpi(designPixels, ScreenDpi()); }

RECT Px(const RECT& design) { return Rect(core::ScaledToDpi(Box(design), ScreenDpi())); }

int DesignPx(int devicePixels) { return core::DesignPixelsAt(devicePixels, ScreenDpi()); }

SIZE DesignSize(SIZE device) { return {DesignPx(device.cx), DesignPx(device.cy)}; }

RECT DesignRect(const RECT& device) { return Rect(core::DesignPixelsAt(Box(device), ScreenDpi())); }

} // namespace win

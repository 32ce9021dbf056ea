#include "ScreenDpi.h"

#include "Scoped.h"
#include "core/DpiScale.h"

namespace win {

int MeasuredScreenDpi() {
    ScopedWindowDC screen(nullptr);
    const int measured = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return measured > 0 ? measured : core::kDesignDpi;
}

} // namespace win

#include "DpiScale.h"

namespace core {
namespace {

int RoundedQuotient(long long numerator, long long denominator) {
    if (denominator <= 0) {
        return 0;
    }
    const long long half = denominator / 2;
    return static_cast<int>(numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator));
}

} // namespace

int ScaledToDpi(int designPixels, int dpi) {
    return RoundedQuotient(static_cast<long long>(designPixels) * dpi, kDesignDpi);
}

int DesignPixelsAt(int devicePixels, int dpi) {
    return RoundedQuotient(static_cast<long long>(devicePixels) * kDesignDpi, dpi);
}

PixelBox ScaledToDpi(const PixelBox& design, int dpi) {
    const int left = ScaledToDpi(design.left, dpi), top = ScaledToDpi(design.top, dpi);
    return {left, top, left + ScaledToDpi(design.right - design.left, dpi),
            top + ScaledToDpi(design.bottom - design.top, dpi)};
}

PixelBox DesignPixelsAt(const PixelBox& device, int dpi) {
    const int left = DesignPixelsAt(device.left, dpi), top = DesignPixelsAt(device.top, dpi);
    return {left, top, left + DesignPixelsAt(device.right - device.left, dpi),
            top + DesignPixelsAt(device.bottom - device.top, dpi)};
}

} // namespace core

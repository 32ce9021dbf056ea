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

} // namespace core

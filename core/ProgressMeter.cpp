#include "ProgressMeter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace core {
namespace {

// Binary floating point makes 2.4 / 5 * 100 come out as 47.999999999999993;
// rounding to 15 significant digits first gives the 48 a person expects.
double RoundTo15Digits(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", x);
    return std::strtod(text, nullptr);
}

} // namespace

int32_t TotalPercent(int32_t filesDone, int32_t fileCount, int32_t percent) {
    double x = (filesDone + percent / 100.0) * 100.0 / fileCount;
    if (x < 0) {
        x = 0;
    } else if (x > 100) {
        x = 100;
    }
    return static_cast<int32_t>(std::trunc(RoundTo15Digits(x)));
}

MeterRect MeterFill(const MeterRect& panel, int32_t percent) {
    return {panel.left, panel.top, panel.left + (panel.right - panel.left) * percent / 100, panel.bottom};
}

} // namespace core

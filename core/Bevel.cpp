#include "Bevel.h"

namespace core {

std::vector<BevelBand> BevelBands(int left, int top, int lastRing, int bottom, int right) {
    std::vector<BevelBand> bands;
    for (int i = 0; i <= lastRing; ++i) {
        bands.push_back({left + i - 1, top + i - 1, right - i + 1, top + i + 1, false});
        bands.push_back({left + i - 1, top + i - 1, left + i + 1, bottom - i + 1, false});
        bands.push_back({right - i - 1, top + i - 1, right - i + 1, bottom - i + 1, true});
        bands.push_back({left + i - 1, bottom - i - 1, right - i + 1, bottom - i + 1, true});
    }
    return bands;
}

ButtonPaint PlanButtonPaint(unsigned action, unsigned state) {
    ButtonPaint plan;
    const bool showsFocus = !(state & kStateNoFocusRect);
    if (action == kDrawFocus) {
        plan.focusRect = showsFocus;
        return plan;
    }
    plan.focusRect = action == kDrawEntire && (state & kStateFocus) && showsFocus;
    plan.paint = true;
    plan.face = action != kDrawSelect;
    plan.caption = action != kDrawSelect;
    plan.pressed = state == (kStateSelected | kStateFocus);
    return plan;
}

} // namespace core

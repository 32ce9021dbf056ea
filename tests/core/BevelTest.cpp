#include "core/Bevel.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using core::BevelBand;
using core::BevelBands;
using core::PlanButtonPaint;

namespace core {

// Comparison and printing for the expectations below.
bool operator==(const BevelBand& a, const BevelBand& b) {
    return std::tie(a.left, a.top, a.right, a.bottom, a.dark) == std::tie(b.left, b.top, b.right, b.bottom, b.dark);
}

void PrintTo(const BevelBand& b, std::ostream* os) {
    *os << "(" << b.left << "," << b.top << "," << b.right << "," << b.bottom << (b.dark ? ",dark)" : ",light)");
}

} // namespace core

namespace {

TEST(Bevel, ButtonRingsInDrawingOrder) {
    // A 251x25 button: left 2, top 2, bottom 24, right 250, two rings.
    const std::vector<BevelBand> expected = {
        {1, 1, 251, 3, false}, {1, 1, 3, 25, false}, {249, 1, 251, 25, true}, {1, 23, 251, 25, true},
        {2, 2, 250, 4, false}, {2, 2, 4, 24, false}, {248, 2, 250, 24, true}, {2, 22, 250, 24, true},
    };
    EXPECT_EQ(BevelBands(2, 2, 1, 24, 250), expected);
}

TEST(Bevel, RingCountFollowsTheLastRing) {
    EXPECT_TRUE(BevelBands(2, 2, -1, 24, 250).empty());
    EXPECT_EQ(BevelBands(2, 2, 0, 24, 250).size(), 4u);
    EXPECT_EQ(BevelBands(2, 2, 3, 24, 250).size(), 16u);
}

struct PaintCase {
    unsigned action, state;
    bool paint, face, pressed, caption;
};

TEST(ButtonPaint, WhatEachDrawRequestRepaints) {
    const PaintCase cases[] = {
        {core::kDrawEntire, 0, true, true, false, true},       {core::kDrawEntire, 0x11, true, true, true, true},
        {core::kDrawSelect, 0x11, true, false, true, false},   // mouse down on a focused button
        {core::kDrawSelect, 0x10, true, false, false, false},  // released
        {core::kDrawSelect, 0x01, true, false, false, false},  // selected without focus
        {core::kDrawSelect, 0x111, true, false, false, false}, // extra flag (hidden keyboard cues)
        {core::kDrawFocus, 0x11, false, false, false, false},  {core::kDrawFocus, 0x10, false, false, false, false},
    };
    for (const PaintCase& c : cases) {
        core::ButtonPaint plan = PlanButtonPaint(c.action, c.state);
        SCOPED_TRACE(testing::Message() << "action " << c.action << " state " << c.state);
        EXPECT_EQ(plan.paint, c.paint);
        EXPECT_EQ(plan.face, c.face);
        EXPECT_EQ(plan.pressed, c.pressed);
        EXPECT_EQ(plan.caption, c.caption);
    }
}

// Focus rectangles: 0x200 is the platform's "no focus rectangle" state (hidden keyboard cues).
TEST(ButtonPaint, FocusRectangleWithTheFocusUnlessCuesAreHidden) {
    const struct {
        unsigned action, state;
        bool focusRect;
    } cases[] = {
        {core::kDrawEntire, 0x10, true},   {core::kDrawEntire, 0x11, true},  {core::kDrawEntire, 0, false},
        {core::kDrawEntire, 0x210, false}, {core::kDrawFocus, 0x10, true},   {core::kDrawFocus, 0, true},
        {core::kDrawFocus, 0x210, false},  {core::kDrawSelect, 0x11, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << " state " << c.state);
        EXPECT_EQ(PlanButtonPaint(c.action, c.state).focusRect, c.focusRect);
    }
}

} // namespace

#include "core/ProgressMeter.h"

#include <gtest/gtest.h>

namespace core {

bool operator==(const MeterRect& a, const MeterRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace core

namespace {

struct Total {
    int32_t filesDone, fileCount, percent, expected;
};

TEST(ProgressMeter, TotalBarFollowsFilesDoneAndCount) {
    const Total cases[] = {
        {1, 3, 50, 50},   {0, 3, 100, 33}, {2, 3, 100, 100}, {2, 5, 40, 48}, {0, 1, 0, 0},
        {0, 1, 100, 100}, {0, 1, 73, 73},  {4, 5, 100, 100}, {3, 7, 0, 42},
    };
    for (const Total& c : cases) {
        EXPECT_EQ(core::TotalPercent(c.filesDone, c.fileCount, c.percent), c.expected)
            << c.filesDone << "/" << c.fileCount << " at " << c.percent;
    }
}

TEST(ProgressMeter, RoundingTo15DigitsHidesBinaryFractions) {
    // 0.29 * 100 is 28.999999999999996 in binary floating point.
    for (int32_t p : {29, 57, 58, 1, 99}) {
        EXPECT_EQ(core::TotalPercent(0, 1, p), p);
    }
}

TEST(ProgressMeter, TotalBarIsClampedToItsRange) {
    EXPECT_EQ(core::TotalPercent(5, 3, 100), 100);
    EXPECT_EQ(core::TotalPercent(-2, 1, 50), 0);
}

TEST(ProgressMeter, MeterFillGrowsFromTheLeftOverFullHeight) {
    const core::MeterRect panel{252, 2, 302, 20};
    EXPECT_EQ(core::MeterFill(panel, 0), (core::MeterRect{252, 2, 252, 20}));
    EXPECT_EQ(core::MeterFill(panel, 50), (core::MeterRect{252, 2, 277, 20}));
    EXPECT_EQ(core::MeterFill(panel, 99), (core::MeterRect{252, 2, 301, 20}));
    EXPECT_EQ(core::MeterFill(panel, 100), panel);
    EXPECT_EQ(core::MeterFill(core::MeterRect{}, 60), core::MeterRect{});
}

TEST(ProgressMeter, MeterWidthTruncatesTowardZero) {
    EXPECT_EQ(core::MeterFill({0, 0, 47, 10}, 3).right, 1);  // 141 / 100
    EXPECT_EQ(core::MeterFill({10, 0, 5, 10}, 50).right, 8); // -5 * 50 / 100 = -2
    EXPECT_TRUE(core::IsProgressPercent(0) && core::IsProgressPercent(100));
    EXPECT_FALSE(core::IsProgressPercent(-1) || core::IsProgressPercent(101));
}

} // namespace

#include "core/DpiScale.h"

#include <gtest/gtest.h>

namespace {

struct Scaling {
    int design, dpi, device;
};

TEST(DpiScale, ScalesAndRoundsHalvesAwayFromZero) {
    const Scaling rows[] = {
        {101, 96, 101}, {101, 144, 152}, {30, 144, 45}, {209, 144, 314}, {33, 144, 50},
        {33, 120, 41},  {11, 192, 22},   {-5, 144, -8}, {0, 144, 0},     {675, 72, 506},
    };
    for (const Scaling& r : rows) {
        EXPECT_EQ(core::ScaledToDpi(r.design, r.dpi), r.device) << r.design << " at " << r.dpi;
    }
}

TEST(DpiScale, DesignPixelsUndoTheScaling) {
    for (int dpi : {96, 120, 144, 192}) {
        for (int design : {0, 1, 16, 33, 101, 209, 443}) {
            EXPECT_EQ(core::DesignPixelsAt(core::ScaledToDpi(design, dpi), dpi), design) << design << " at " << dpi;
        }
    }
    EXPECT_EQ(core::DesignPixelsAt(100, 0), 0) << "an unknown density gives no size";
}

TEST(DpiScale, BoxesScalePositionAndSizeEach) {
    // 33 at 144 is 49.5 and rounds up: the size must not shrink because the
    // box's edges are rounded apart.
    const core::PixelBox box = core::ScaledToDpi(core::PixelBox{33, 33, 66, 66}, 144);
    EXPECT_EQ(box.left, 50);
    EXPECT_EQ(box.right - box.left, 50);
    const core::PixelBox back = core::DesignPixelsAt(box, 144);
    EXPECT_EQ(back.left, 33);
    EXPECT_EQ(back.right - back.left, 33);
}

} // namespace

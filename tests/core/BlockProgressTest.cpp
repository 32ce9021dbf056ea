#include "core/BlockProgress.h"

#include <gtest/gtest.h>

namespace {

struct PercentCase {
    int64_t total;
    int64_t remaining;
    int percent;
};

class BlockPercent : public testing::TestWithParam<PercentCase> {};

TEST_P(BlockPercent, IsTheTruncatedShareRead) {
    EXPECT_EQ(core::BlockPercent(GetParam().total, GetParam().remaining), GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Cases, BlockPercent,
                         testing::Values(PercentCase{1000, 1000, 0}, PercentCase{1000, 999, 0},
                                         PercentCase{1000, 990, 1}, PercentCase{3, 1, 66}, PercentCase{1000, 1, 99},
                                         PercentCase{1000, 0, 100},
                                         // more left than the whole: a reader that moved backwards
                                         PercentCase{1000, 1001, 100},
                                         // products beyond 32 bits
                                         PercentCase{2'000'000'000, 1'000'000'000, 50},
                                         PercentCase{0x7FFFFFFF, 1, 99}));

TEST(BlockBufferSize, HoldsAThousandAndTwentyFourFrames) {
    EXPECT_EQ(core::BlockBufferSize(1), 1024u);
    EXPECT_EQ(core::BlockBufferSize(4), 4096u);
    EXPECT_EQ(core::BlockBufferSize(0), 1024u);
    EXPECT_EQ(core::BlockBufferSize(65535), 65535u * 1024u);
}

} // namespace

#include "core/SettingsDat.h"
#include "support/MemoryByteFile.h"

#include <gtest/gtest.h>

#include <vector>

using core::FormatSelections;

namespace {

using Bytes = std::vector<uint8_t>;

const FormatSelections kFiveEach = {5, 5, 5};

FormatSelections Read(const Bytes& bytes, const FormatSelections& counts = kFiveEach) {
    testsupport::MemoryByteFile file(bytes);
    return core::ReadSettingsDat(file, counts);
}

TEST(SettingsDat, AppliesStoredPositionsThatFitTheirList) {
    EXPECT_EQ(Read({1, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0}), (FormatSelections{1, 2, 4}));
    EXPECT_EQ(Read({1, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 0, 9}), (FormatSelections{1, 2, 4}));
}

TEST(SettingsDat, ShortFileLeavesTheMissingListsAtEntry0) {
    EXPECT_EQ(Read({3, 0, 0, 0, 2, 0}), (FormatSelections{3, 0, 0}));
    EXPECT_EQ(Read({3, 0, 0}), (FormatSelections{0, 0, 0}));
    EXPECT_EQ(Read({}), (FormatSelections{0, 0, 0}));
}

TEST(SettingsDat, PositionOutsideTheListGivesEntry0) {
    EXPECT_EQ(Read({7, 0, 0, 0, 4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}), (FormatSelections{0, 4, 0}));
    EXPECT_EQ(Read({0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0x80}), (FormatSelections{0, 1, 0}));
    EXPECT_EQ(Read({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}, {0, 1, 2}), (FormatSelections{0, 0, 1}));
}

TEST(SettingsDat, WritesTwelveLittleEndianBytes) {
    testsupport::MemoryByteFile file;
    ASSERT_TRUE(core::WriteSettingsDat(file, {258, -1, 0}));
    EXPECT_EQ(file.Bytes(), (Bytes{2, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
}

TEST(SettingsDat, ReportsAFailedWrite) {
    testsupport::MemoryByteFile file;
    file.LimitSize(8);
    EXPECT_FALSE(core::WriteSettingsDat(file, {1, 2, 3}));
}

} // namespace

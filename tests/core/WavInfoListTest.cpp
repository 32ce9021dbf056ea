#include "core/WavInfoList.h"
#include "core/LittleEndian.h"
#include "support/MemoryByteFile.h"

#include <gtest/gtest.h>

namespace {

// The texts read back from a RIFF file with the list behind three sound bytes and their pad byte.
std::optional<core::ID3TagFields> ReadBack(const std::vector<uint8_t>& list) {
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                              'd', 'a', 't', 'a', 3, 0, 0, 0, 1,   2,   3,   0};
    b.insert(b.end(), list.begin(), list.end());
    testsupport::MemoryByteFile file(b);
    return core::ReadWavInfoList(file, core::ReadWAVHeader(file));
}

TEST(WavInfoList, TagTextsReadBackFromAnEvenChunk) {
    const core::ID3TagFields texts = {"Canci\xF3n", "Sonaris", "Disco", "1998", "odd comment", "7", "Rock"};
    const std::vector<uint8_t> list = core::BuildWavInfoList(texts);
    EXPECT_EQ(core::GetLe32(list.data() + 4), list.size() - 8);
    EXPECT_EQ(list.size() % 2, 0u);
    EXPECT_EQ(core::BuildID3Tag(*ReadBack(list)), core::BuildID3Tag(texts));
    EXPECT_TRUE(core::BuildWavInfoList({"", "", "", "", "", "", "255"}).empty()) << "a genre number is no name";
    EXPECT_FALSE(ReadBack({}));
}

// Items as other programs write them: a "N/M" track, an item size past the list.
TEST(WavInfoList, ForeignItems) {
    const std::optional<core::ID3TagFields> read =
        ReadBack({'L', 'I', 'S', 'T', 34, 0, 0,   0,   'I', 'N', 'F', 'O', 'I', 'T', 'R', 'K', 5,   0,   0,   0,
                  '3', '/', '1', '2', 0,  0, 'I', 'C', 'R', 'D', 200, 0,   0,   0,   '2', '0', '0', '1', '-', '0'});
    ASSERT_TRUE(read);
    EXPECT_EQ(read->track, "3");
    EXPECT_EQ(read->year, "2001-0");
}

} // namespace

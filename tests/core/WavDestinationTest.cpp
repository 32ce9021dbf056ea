#include "core/WavDestination.h"
#include "support/MemoryByteFile.h"
#include "core/StdioByteFile.h"
#include "core/WavFile.h"
#include "support/LittleEndian.h"

#include <gtest/gtest.h>

#include <cstdio>

using core::WavDestination;
using testsupport::Le32;
using testsupport::MemoryByteFile;

namespace {

const core::WaveFormatRecord kCd = core::MakePcmFormat(2, 44100, 16, 129);

void ExpectSizesMatch(const MemoryByteFile& file, uint32_t dataBytes) {
    const std::vector<uint8_t>& b = file.Bytes();
    ASSERT_EQ(b.size(), 44 + dataBytes);
    EXPECT_EQ(Le32(b.data() + 4), 36 + dataBytes);
    EXPECT_EQ(Le32(b.data() + 40), dataBytes);
}

void Append(core::ByteFile& file, size_t count) {
    const std::vector<uint8_t> data(count, 0x11);
    if (!file.Write(data.data(), data.size())) {
        throw core::FileWriteError("full");
    }
}

TEST(WavDestination, FirstHeaderHasZeroSizes) {
    MemoryByteFile file;
    WavDestination wav(file, kCd);
    EXPECT_EQ(file.Bytes().size(), 44u);
    EXPECT_EQ(Le32(file.Bytes().data() + 4), 0u);
    EXPECT_EQ(Le32(file.Bytes().data() + 40), 0u);
}

TEST(WavDestination, FinishDescribesTheData) {
    MemoryByteFile file;
    WavDestination wav(file, kCd);
    Append(file, 1001);
    wav.Finish();
    ExpectSizesMatch(file, 1001);
}

// Chunks behind an odd sound follow its pad byte and count in the RIFF size only.
TEST(WavDestination, ChunksBehindTheSound) {
    MemoryByteFile file;
    WavDestination wav(file, kCd);
    Append(file, 7);
    wav.EndSound();
    Append(wav, 12);
    wav.Finish();
    ASSERT_EQ(file.Bytes().size(), 44u + 8 + 12);
    EXPECT_EQ(file.Bytes()[51], 0);
    EXPECT_EQ(Le32(file.Bytes().data() + 4), 36u + 8 + 12);
    EXPECT_EQ(Le32(file.Bytes().data() + 40), 7u);
}

// A full medium: the header written on the way out still matches what the file holds.
TEST(WavDestination, FailedWriteLeavesSizesOfWhatWasWritten) {
    MemoryByteFile file;
    file.LimitSize(44 + 3 * 512 + 100);
    try {
        WavDestination wav(file, kCd);
        for (int block = 0; block < 10; ++block) {
            Append(file, 512);
        }
        wav.Finish();
        FAIL() << "the medium was full";
    } catch (const core::FileWriteError&) {
    }
    ExpectSizesMatch(file, 3 * 512);
}

// In a sparse file: data that would pass 4 GiB - 1 is refused, and the sizes
// beyond 2 GiB read back whole.
TEST(WavDestination, RefusesDataPastTheRiffLimit) {
    const std::string path = testing::TempDir() + "limit.wav";
    {
        core::StdioByteFile file(path, "w+b");
        WavDestination wav(file, kCd);
        ASSERT_TRUE(wav.Seek(core::kMaxWavFileLength - 10));
        EXPECT_TRUE(wav.Write("1234567", 8));
        EXPECT_FALSE(wav.Write("1234567", 8));
        wav.Finish();
    }
    core::StdioByteFile file(path, "rb");
    EXPECT_EQ(core::ReadWAVHeader(file).dataLength, core::kMaxWavFileLength - 2 - 44);
    std::remove(path.c_str());
}

TEST(WavDestination, HeaderThatCannotBeWrittenIsAWriteError) {
    MemoryByteFile file;
    file.LimitSize(10);
    EXPECT_THROW(WavDestination(file, kCd), core::FileWriteError);
}

TEST(WavDestination, FinalHeaderThatCannotBeWrittenIsAWriteError) {
    MemoryByteFile file;
    WavDestination wav(file, kCd);
    file.LimitSize(20);
    EXPECT_THROW(wav.Finish(), core::FileWriteError);
}

} // namespace

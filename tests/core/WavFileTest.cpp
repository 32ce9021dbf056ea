#include "support/MemoryByteFile.h"
#include "core/LittleEndian.h"
#include "core/WavFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using core::GetLe16;
using core::ReadWAVHeader;
using testsupport::MemoryByteFile;

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

Bytes Chunk(const std::string& id, uint32_t declaredSize, size_t bodyBytes) {
    Bytes b(id.begin(), id.end());
    Put32(b, declaredSize);
    for (size_t i = 0; i < bodyBytes; ++i) {
        b.push_back(static_cast<uint8_t>(0x40 + i % 50));
    }
    return b;
}

Bytes Chunk(const std::string& id, size_t size) { return Chunk(id, static_cast<uint32_t>(size), size); }

// 16-byte PCM body: 2 channels, 44100 Hz, 16 bits.
Bytes FmtChunk(size_t extra = 0) {
    Bytes b = {'f', 'm', 't', ' '};
    Put32(b, static_cast<uint32_t>(16 + extra));
    for (uint8_t v : {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0}) {
        b.push_back(v);
    }
    for (size_t i = 0; i < extra; ++i) {
        b.push_back(static_cast<uint8_t>(0xE0 + i));
    }
    return b;
}

// A "LIST" chunk of type "INFO" with itemBytes of items, of which present are there.
Bytes InfoList(size_t itemBytes, size_t present) {
    Bytes b = Chunk("LIST", static_cast<uint32_t>(4 + itemBytes), 4 + present);
    std::copy_n("INFO", 4, b.begin() + 8);
    return b;
}

Bytes Riff(std::initializer_list<Bytes> chunks) {
    Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) {
        b.insert(b.end(), c.begin(), c.end());
    }
    return b;
}

struct ReadCase {
    const char* name;
    Bytes file;
    bool valid;
    int64_t dataOffset;
    int64_t dataLength;
    uint16_t channels;
    int64_t infoOffset = 0;
    int64_t infoLength = 0;
};

class WavReader : public testing::TestWithParam<ReadCase> {};

TEST_P(WavReader, FindsFormatAndData) {
    const ReadCase& c = GetParam();
    MemoryByteFile file(c.file);
    core::WavHeaderInfo info = ReadWAVHeader(file);
    EXPECT_EQ(info.valid, c.valid);
    EXPECT_EQ(file.Position(), 0);
    if (c.valid) {
        EXPECT_EQ(info.dataOffset, c.dataOffset);
        EXPECT_EQ(info.dataLength, c.dataLength);
    }
    EXPECT_EQ(info.format.Channels(), c.channels);
    EXPECT_EQ(info.infoOffset, c.infoOffset);
    EXPECT_EQ(info.infoLength, c.infoLength);
}

INSTANTIATE_TEST_SUITE_P(
    ChunkLayouts, WavReader,
    testing::Values(
        ReadCase{"canonical", Riff({FmtChunk(), Chunk("data", 100)}), true, 44, 100, 2},
        ReadCase{"data_before_fmt", Riff({Chunk("data", 100), FmtChunk()}), true, 20, 100, 2},
        ReadCase{"list_between", Riff({FmtChunk(), Chunk("LIST", 26), Chunk("data", 10)}), true, 78, 10, 2},
        ReadCase{"oversized_data", Riff({FmtChunk(), Chunk("data", 5000, 100)}), true, 44, 100, 2},
        ReadCase{"data_size_ffffffff", Riff({FmtChunk(), Chunk("data", 0xFFFFFFFFu, 30)}), true, 44, 30, 2},
        ReadCase{"no_data", Riff({FmtChunk(), Chunk("LIST", 4)}), false, 0, 0, 2},
        ReadCase{"data_without_fmt", Riff({Chunk("data", 8)}), true, 20, 8, 0},
        ReadCase{"empty_data", Riff({FmtChunk(), Chunk("data", 0)}), true, 44, 0, 2},
        ReadCase{"later_data_wins", Riff({FmtChunk(), Chunk("data", 4), Chunk("data", 6)}), true, 56, 6, 2},
        ReadCase{"odd_chunk_pad_skipped", Riff({FmtChunk(), Chunk("junk", 3), Bytes{0}, Chunk("data", 2)}), true, 56, 2,
                 2},
        ReadCase{"odd_list_before_data", Riff({FmtChunk(), Chunk("LIST", 25), Bytes{0}, Chunk("data", 10)}), true, 78,
                 10, 2},
        // As sox writes 8-bit mono with an odd number of samples.
        ReadCase{"odd_data_with_final_pad", Riff({FmtChunk(), Chunk("data", 7), Bytes{0}}), true, 44, 7, 2},
        // As the converter's jobs write an odd number of sample bytes: no pad byte.
        ReadCase{"odd_data_without_final_pad", Riff({FmtChunk(), Chunk("data", 7)}), true, 44, 7, 2},
        ReadCase{"info_behind_odd_data", Riff({FmtChunk(), Chunk("data", 3), Bytes{0}, InfoList(9, 9)}), true, 44, 3, 2,
                 60, 9},
        ReadCase{"first_info_counts", Riff({InfoList(2, 2), FmtChunk(), InfoList(6, 6), Chunk("data", 2)}), true, 76, 2,
                 2, 24, 2},
        ReadCase{"info_cut_at_end", Riff({FmtChunk(), Chunk("data", 2), InfoList(9, 1)}), true, 44, 2, 2, 58, 1},
        ReadCase{"list_type_cut", Riff({FmtChunk(), Chunk("data", 2), Chunk("LIST", 40, 2)}), true, 44, 2, 2}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(WavReader, FmtExtensionBytesAreDropped) {
    MemoryByteFile file(Riff({FmtChunk(6), Chunk("data", 2)}));
    core::WavHeaderInfo info = ReadWAVHeader(file);
    ASSERT_TRUE(info.valid);
    EXPECT_EQ(info.format.CbSize(), 0xE1E0);
    EXPECT_EQ(info.format.bytes[18], 0);
    EXPECT_EQ(info.dataOffset, 12 + 8 + 22 + 8);
}

// A WAVE_FORMAT_EXTENSIBLE "fmt " chunk at 48000 Hz whose sub-format GUID
// begins with subTag; the rest of the GUID is the base one, with its last
// byte replaced by guidEnd. bodySize cuts the body short.
Bytes ExtensibleFmt(uint16_t channels, uint16_t bits, uint16_t validBits, uint16_t subTag, uint16_t cbSize = 22,
                    uint8_t guidEnd = 0x71, size_t bodySize = 40) {
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
    Bytes body;
    auto put16 = [&body](uint16_t v) {
        body.insert(body.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)});
    };
    put16(0xFFFE);
    put16(channels);
    Put32(body, 48000);
    Put32(body, 48000u * blockAlign);
    put16(blockAlign);
    put16(bits);
    put16(cbSize);
    put16(validBits);
    Put32(body, channels == 1 ? 4 : 3);
    put16(subTag);
    body.insert(body.end(), {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, guidEnd});
    body.resize(bodySize);
    Bytes chunk = {'f', 'm', 't', ' '};
    Put32(chunk, static_cast<uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

struct ExtensibleCase {
    const char* name;
    Bytes fmt;
    uint16_t tag;
    uint16_t cbSize;
};

class ExtensibleRecord : public testing::TestWithParam<ExtensibleCase> {};

// The codecs know plain records only; what an extensible one adds about one or
// two channels of full-width samples changes nothing about them.
TEST_P(ExtensibleRecord, ReadsAsItsPlainEquivalentWhereThereIsOne) {
    const ExtensibleCase& c = GetParam();
    MemoryByteFile file(Riff({c.fmt, Chunk("data", 12)}));
    core::WavHeaderInfo info = ReadWAVHeader(file);
    ASSERT_TRUE(info.valid);
    EXPECT_EQ(info.format.FormatTag(), c.tag);
    EXPECT_EQ(info.format.CbSize(), c.cbSize);
    EXPECT_EQ(info.format.SamplesPerSec(), 48000u);
    EXPECT_EQ(info.format.BitsPerSample(), GetLe16(&c.fmt[8 + 14]));
    EXPECT_EQ(info.format.BlockAlign(), GetLe16(&c.fmt[8 + 12]));
    EXPECT_EQ(info.format.bytes[18], 0);
    EXPECT_EQ(info.dataOffset, static_cast<int64_t>(12 + c.fmt.size() + 8));
}

INSTANTIATE_TEST_SUITE_P(
    Records, ExtensibleRecord,
    testing::Values(ExtensibleCase{"Pcm16Mono", ExtensibleFmt(1, 16, 16, 1), 1, 0},
                    ExtensibleCase{"Pcm8Stereo", ExtensibleFmt(2, 8, 8, 1), 1, 0},
                    ExtensibleCase{"Pcm24Stereo", ExtensibleFmt(2, 24, 24, 1), 1, 0},
                    ExtensibleCase{"Pcm32Mono", ExtensibleFmt(1, 32, 32, 1), 1, 0},
                    ExtensibleCase{"Float32Mono", ExtensibleFmt(1, 32, 32, 3), 3, 0},
                    ExtensibleCase{"Float64Stereo", ExtensibleFmt(2, 64, 64, 3), 3, 0},
                    ExtensibleCase{"LongerBody", ExtensibleFmt(2, 16, 16, 1, 24, 0x71, 42), 1, 0},
                    // No plain equivalent: refused by the codecs as before.
                    ExtensibleCase{"ThreeChannels", ExtensibleFmt(3, 16, 16, 1), 0xFFFE, 22},
                    ExtensibleCase{"TwentyValidBitsIn24", ExtensibleFmt(2, 24, 20, 1), 0xFFFE, 22},
                    ExtensibleCase{"ValidBitsZero", ExtensibleFmt(1, 16, 0, 1), 0xFFFE, 22},
                    ExtensibleCase{"OtherSubFormat", ExtensibleFmt(1, 16, 16, 2), 0xFFFE, 22},
                    ExtensibleCase{"ForeignGuid", ExtensibleFmt(1, 16, 16, 1, 22, 0x72), 0xFFFE, 22},
                    ExtensibleCase{"ExtensionTooShort", ExtensibleFmt(1, 16, 16, 1, 10), 0xFFFE, 10},
                    ExtensibleCase{"BodyCutShort", ExtensibleFmt(1, 16, 16, 1, 22, 0x71, 30), 0xFFFE, 22}),
    [](const testing::TestParamInfo<ExtensibleCase>& info) { return std::string(info.param.name); });

TEST(WavReader, NotRiffLeavesPositionAfterPreamble) {
    MemoryByteFile file(Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 1, 2, 3});
    EXPECT_FALSE(ReadWAVHeader(file).valid);
    EXPECT_EQ(file.Position(), 12);
}

TEST(WavReader, ReadErrorsReachTheCaller) {
    const Bytes shortFile = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V'};
    Bytes trailing = Riff({FmtChunk(), Chunk("data", 4)});
    trailing.insert(trailing.end(), {1, 2, 3});
    Bytes fmtPastEnd = Riff({FmtChunk()});
    fmtPastEnd.resize(fmtPastEnd.size() - 2);
    // A body declared near 4 GiB must fail as a read error, not allocate.
    Bytes hugeFmt = Riff({Chunk("fmt ", 0xFFFFFFF0u, 16)});
    for (const Bytes& bytes : {shortFile, trailing, fmtPastEnd, hugeFmt}) {
        MemoryByteFile file(bytes);
        EXPECT_THROW(ReadWAVHeader(file), core::FileReadError);
    }
}

TEST(WavWriter, FreshFileGetsZeroSizes) {
    MemoryByteFile file;
    ASSERT_TRUE(core::WriteWAVHeader(file, core::MakePcmFormat(2, 44100, 16, 0), 0));
    ASSERT_EQ(file.Bytes().size(), 44u);
    EXPECT_EQ(file.Position(), 44);
    EXPECT_EQ(std::string(file.Bytes().begin(), file.Bytes().begin() + 4), "RIFF");
    EXPECT_EQ(file.Bytes()[4], 0);
    EXPECT_EQ(file.Bytes()[40], 0);
}

TEST(WavWriter, FinalHeaderDescribesDataAndReadsBack) {
    for (size_t samples : {0, 7, 1000}) {
        MemoryByteFile file;
        const core::WaveFormatRecord format = core::MakePcmFormat(1, 22050, 16, 129);
        ASSERT_TRUE(core::WriteWAVHeader(file, format, 0));
        Bytes data(samples, 0x55);
        ASSERT_TRUE(file.Write(data.data(), data.size()));
        ASSERT_TRUE(core::WriteWAVHeader(file, format, core::kWavHeaderSize));

        const Bytes& out = file.Bytes();
        ASSERT_EQ(out.size(), 44 + samples);
        EXPECT_EQ(out[4] | out[5] << 8, static_cast<int>(36 + samples));
        EXPECT_EQ(out[40] | out[41] << 8, static_cast<int>(samples));
        EXPECT_EQ(out[16], 16);
        core::WavHeaderInfo info = ReadWAVHeader(file);
        EXPECT_TRUE(info.valid);
        EXPECT_EQ(info.dataOffset, 44);
        EXPECT_EQ(info.dataLength, static_cast<int64_t>(samples));
        EXPECT_EQ(info.format.SamplesPerSec(), 22050u);
        EXPECT_EQ(info.format.CbSize(), 0) << "cbSize is never written";
    }
}

TEST(WavWriter, FullMediumIsReported) {
    MemoryByteFile file;
    file.LimitSize(20);
    EXPECT_FALSE(core::WriteWAVHeader(file, core::MakePcmFormat(2, 44100, 16, 0), 0));
}

} // namespace

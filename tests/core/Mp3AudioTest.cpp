#include "core/Mp3Audio.h"
#include "support/MemoryByteFile.h"

#include <gtest/gtest.h>

#include <vector>

using core::LocateMp3Audio;
using core::Mp3FrameHeader;
using testsupport::MemoryByteFile;

namespace {

using Bytes = std::vector<uint8_t>;

// A header and its frame's bytes, size bytes in all.
Bytes Frame(uint8_t b1, uint8_t b2, uint8_t b3, size_t size = 400) {
    Bytes b = {0xFF, b1, b2, b3};
    b.resize(size, 0x55);
    return b;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

const Bytes kStereo128Frame = Frame(0xFB, 0x90, 0x44, 417); // MPEG-1 layer III, 128 kbit/s, 44100 Hz, stereo
const Bytes kStereo128 = Concat({kStereo128Frame, kStereo128Frame});

Bytes Zeros(size_t n) { return Bytes(n, 0); }

Bytes WithByte(Bytes b, size_t at, uint8_t value) {
    b[at] = value;
    return b;
}

// An ID3v2.3 header whose synchsafe size is `size`, followed by size tag bytes
// of which the last `padding` are zero.
Bytes Id3Tag(uint32_t size, uint32_t padding) {
    Bytes b = {'I',
               'D',
               '3',
               3,
               0,
               0,
               static_cast<uint8_t>(size >> 21 & 0x7F),
               static_cast<uint8_t>(size >> 14 & 0x7F),
               static_cast<uint8_t>(size >> 7 & 0x7F),
               static_cast<uint8_t>(size & 0x7F)};
    b.resize(10 + size - padding, 'T');
    b.resize(10 + size, 0);
    return b;
}

struct HeaderCase {
    const char* name;
    uint8_t b1, b2, b3;
    bool mpeg1;
    int layer;
    uint32_t kbps;
    uint32_t rate;
    uint16_t channels;
};

class FrameHeaderFields : public testing::TestWithParam<HeaderCase> {};

TEST_P(FrameHeaderFields, FollowTheTables) {
    const HeaderCase& c = GetParam();
    const uint8_t bytes[4] = {0xFF, c.b1, c.b2, c.b3};
    std::optional<Mp3FrameHeader> h = core::ParseMp3FrameHeader(bytes);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->mpeg1, c.mpeg1);
    EXPECT_EQ(h->layer, c.layer);
    EXPECT_EQ(h->bitRateKbps, c.kbps);
    EXPECT_EQ(h->samplesPerSec, c.rate);
    EXPECT_EQ(h->channels, c.channels);
}

INSTANTIATE_TEST_SUITE_P(Headers, FrameHeaderFields,
                         testing::Values(HeaderCase{"Mpeg1Layer3Stereo", 0xFB, 0x90, 0x44, true, 3, 128, 44100, 2},
                                         HeaderCase{"Mpeg1Layer3JointStereo", 0xFB, 0xE4, 0x64, true, 3, 320, 48000, 2},
                                         HeaderCase{"Mpeg1Layer3DualChannel", 0xFB, 0x28, 0x80, true, 3, 40, 32000, 2},
                                         HeaderCase{"Mpeg1Layer3Mono", 0xFB, 0x50, 0xC4, true, 3, 64, 44100, 1},
                                         HeaderCase{"Mpeg2Layer3Mono22050", 0xF3, 0x80, 0xC4, false, 3, 64, 22050, 1},
                                         HeaderCase{"Mpeg2Layer3Stereo24000", 0xF3, 0xE4, 0x00, false, 3, 160, 24000,
                                                    2},
                                         HeaderCase{"Mpeg25ReadAsMpeg2", 0xE3, 0x18, 0xC0, false, 3, 8, 16000, 1},
                                         HeaderCase{"Mpeg1Layer2", 0xFD, 0xE0, 0x00, true, 2, 384, 44100, 2},
                                         HeaderCase{"Mpeg1Layer1", 0xFF, 0xE0, 0x00, true, 1, 448, 44100, 2},
                                         HeaderCase{"Mpeg2Layer1", 0xF7, 0xE0, 0x00, false, 1, 256, 22050, 2}),
                         [](const testing::TestParamInfo<HeaderCase>& info) { return info.param.name; });

TEST(FrameHeader, RefusesReservedValues) {
    const uint8_t layer0[4] = {0xFF, 0xF9, 0x90, 0x44};
    const uint8_t freeFormat[4] = {0xFF, 0xFB, 0x00, 0x44};
    const uint8_t badBitRate[4] = {0xFF, 0xFB, 0xF0, 0x44};
    const uint8_t badRate[4] = {0xFF, 0xFB, 0x9C, 0x44};
    EXPECT_FALSE(core::ParseMp3FrameHeader(layer0));
    EXPECT_FALSE(core::ParseMp3FrameHeader(freeFormat));
    EXPECT_FALSE(core::ParseMp3FrameHeader(badBitRate));
    EXPECT_FALSE(core::ParseMp3FrameHeader(badRate));
}

struct LocateCase {
    const char* name;
    Bytes file;
    int64_t start;
    uint32_t kbps;
};

class AudioLocation : public testing::TestWithParam<LocateCase> {};

TEST_P(AudioLocation, StartsWhereTheDecoderBegins) {
    const LocateCase& c = GetParam();
    MemoryByteFile file(c.file);
    std::optional<core::Mp3AudioData> audio = LocateMp3Audio(file);
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->start, c.start);
    EXPECT_EQ(audio->header.bitRateKbps, c.kbps);
    EXPECT_EQ(file.Position(), c.start);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, AudioLocation,
    testing::Values(
        LocateCase{"BareFrames", kStereo128, 0, 128},
        // Header found behind the zeros, but the decoder still gets them.
        LocateCase{"LeadingZeros", Concat({Zeros(5000), kStereo128}), 0, 128},
        LocateCase{"Id3v2", Concat({Id3Tag(300, 0), kStereo128}), 310, 128},
        LocateCase{"Id3v2WithPadding", Concat({Id3Tag(300, 120), kStereo128}), 310, 128},
        LocateCase{"Id3v2PaddingBeyondDeclaredSize", Concat({Id3Tag(300, 0), Zeros(700), kStereo128}), 1010, 128},
        LocateCase{"Id3v2LargeSynchsafeSize", Concat({Id3Tag(20000, 5000), kStereo128}), 20010, 128},
        // The tag's end counts from its own header, not from the file's start.
        LocateCase{"Id3v2AfterZeros", Concat({Zeros(8), Id3Tag(100, 20), kStereo128}), 118, 128},
        LocateCase{"TwoId3v2Tags", Concat({Id3Tag(300, 40), Id3Tag(100, 0), kStereo128}), 420, 128},
        LocateCase{"Id3v24Footer",
                   Concat({WithByte(Id3Tag(300, 0), 5, 0x10), {'3', 'D', 'I', 4, 0, 0x10, 0, 0, 2, 0x2C}, kStereo128}),
                   320, 128},
        LocateCase{"OneFrameToTheEnd", kStereo128Frame, 0, 128},
        LocateCase{"OneFrameThenId3v1", Concat({kStereo128Frame, {'T', 'A', 'G', 'x'}}), 0, 128},
        LocateCase{"Mpeg25Frames", Concat({Frame(0xE3, 0x18, 0xC0, 72), Frame(0xE3, 0x18, 0xC0, 72)}), 0, 8},
        // Junk before the first frame, as in the ISO compliance streams: the
        // decoder gets the data from the first frame that a second one confirms.
        LocateCase{"ZerosThenJunk", Concat({Zeros(20), Bytes(700, 0x33), kStereo128}), 720, 128},
        LocateCase{"JunkWithAFalseSync", Concat({Bytes{1, 0xFF, 0xFB, 0x90, 0x44, 7}, kStereo128}), 6, 128},
        LocateCase{"Id3v2ThenJunk", Concat({Id3Tag(300, 0), Bytes(90, 0x47), kStereo128}), 400, 128},
        LocateCase{"JunkToTheEdgeOfTheWindow", Concat({Bytes(65535, 0x21), kStereo128}), 65535, 128},
        // A second header of another sampling rate confirms nothing.
        LocateCase{"SyncOfAnotherStreamSkipped",
                   Concat({Bytes{9}, Frame(0xFB, 0x90, 0x44, 417), Frame(0xFB, 0x94, 0x44, 10), kStereo128}), 428,
                   128}),
    [](const testing::TestParamInfo<LocateCase>& info) { return info.param.name; });

// Fewer than four zeros are not skipped as leading zeros: 00 00 00 FF is no
// header, and the frame behind is found as behind any junk.
TEST(AudioLocation, ThreeLeadingZerosAreJunkBeforeTheFrame) {
    MemoryByteFile file(Concat({Zeros(3), kStereo128}));
    std::optional<core::Mp3AudioData> audio = LocateMp3Audio(file);
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->start, 3);
}

struct RefuseCase {
    const char* name;
    Bytes file;
};

class NoUsableHeader : public testing::TestWithParam<RefuseCase> {};

TEST_P(NoUsableHeader, IsRefused) {
    MemoryByteFile file(GetParam().file);
    EXPECT_FALSE(LocateMp3Audio(file));
}

INSTANTIATE_TEST_SUITE_P(
    Files, NoUsableHeader,
    testing::Values(
        RefuseCase{"Empty", {}}, RefuseCase{"ThreeBytes", {0xFF, 0xFB, 0x90}}, RefuseCase{"AllZeros", Zeros(10000)},
        RefuseCase{"ZerosThenTwoBytes", Concat({Zeros(50), {0xFF, 0xFB}})},
        RefuseCase{"TagThenNothing", Id3Tag(200, 0)}, RefuseCase{"TagThenZeros", Concat({Id3Tag(200, 50), Zeros(64)})},
        // A tag header that declares about 256 MB in a file of a few hundred bytes.
        RefuseCase{"TagSizePastTheEnd", WithByte(Concat({Id3Tag(100, 0), kStereo128}), 6, 0x7F)},
        RefuseCase{"ShortTagHeader", {'I', 'D', '3', 3, 0, 0, 0}},
        RefuseCase{"ReservedSamplingRate", Frame(0xFB, 0x9C, 0x44)},
        RefuseCase{"ReservedLayer", Frame(0xF9, 0x90, 0x44)}, RefuseCase{"FreeFormatBitRate", Frame(0xFB, 0x04, 0x44)},
        RefuseCase{"BadBitRateAfterTag", Concat({Id3Tag(50, 10), Frame(0xFB, 0xF0, 0x44)})},
        // A header followed by arbitrary bytes where the next frame should begin.
        RefuseCase{"HeaderThenArbitraryBytes", Frame(0xFB, 0x90, 0x44, 20000)},
        RefuseCase{"NoFrameSync", WithByte(kStereo128, 0, 0x7F)},
        RefuseCase{"FrameCutShort", Frame(0xFB, 0x90, 0x44, 300)},
        RefuseCase{"JunkBeyondTheWindow", Concat({Bytes(65537, 0x21), kStereo128})},
        RefuseCase{"JunkThenOneFrame", Concat({Bytes(50, 0x21), kStereo128Frame})},
        RefuseCase{"JunkThenFramesOfTwoStreams",
                   Concat({Bytes(50, 0x21), Frame(0xFB, 0x90, 0x44, 417), Frame(0xFB, 0x94, 0x44, 417)})}),
    [](const testing::TestParamInfo<RefuseCase>& info) { return info.param.name; });

} // namespace

#include "core/FormatDerivation.h"
#include "support/Mp3Fields.h"

#include <gtest/gtest.h>

using core::WaveFormatRecord;

namespace {

// A layer-3 record as a codec lists it; the marker sits in the extension so
// that a test can tell which listed record was taken.
WaveFormatRecord Listed(uint16_t channels, uint32_t rate, uint32_t bytesPerSec, uint16_t marker) {
    WaveFormatRecord r;
    r.SetFormatTag(core::kWaveFormatMpegLayer3);
    r.SetChannels(channels);
    r.SetSamplesPerSec(rate);
    r.SetAvgBytesPerSec(bytesPerSec);
    r.SetBlockAlign(1);
    r.SetCbSize(testsupport::kMpegLayer3ExtraSize);
    testsupport::SetMp3BlockSize(r, marker);
    return r;
}

// mp3wav's stored input record.
WaveFormatRecord StoredMpegIn() { return Listed(2, 24000, 7000, 168); }

core::Mp3FrameHeader Header(uint16_t channels, uint32_t rate, uint32_t kbps) {
    core::Mp3FrameHeader h;
    h.channels = channels;
    h.samplesPerSec = rate;
    h.bitRateKbps = kbps;
    return h;
}

TEST(Mp3DecodeFormats, OutputIs16BitPcmOfTheFrame) {
    WaveFormatRecord in = StoredMpegIn();
    WaveFormatRecord out = core::MakePcmFormat(2, 44100, 16, 129);
    core::DeriveMp3DecodeFormats(Header(1, 22050, 64), {}, in, out);
    EXPECT_EQ(out.FormatTag(), core::kWaveFormatPcm);
    EXPECT_EQ(out.Channels(), 1);
    EXPECT_EQ(out.SamplesPerSec(), 22050u);
    EXPECT_EQ(out.BitsPerSample(), 16);
    EXPECT_EQ(out.BlockAlign(), 2);
    EXPECT_EQ(out.AvgBytesPerSec(), 44100u);
    EXPECT_EQ(out.CbSize(), 0);
}

TEST(Mp3DecodeFormats, WithoutMatchKeepsTheStoredRestOfTheRecord) {
    WaveFormatRecord in = StoredMpegIn();
    WaveFormatRecord out;
    core::DeriveMp3DecodeFormats(Header(2, 44100, 128), {Listed(2, 44100, 24000, 1)}, in, out);
    EXPECT_EQ(in.FormatTag(), core::kWaveFormatMpegLayer3);
    EXPECT_EQ(in.Channels(), 2);
    EXPECT_EQ(in.SamplesPerSec(), 44100u);
    EXPECT_EQ(in.AvgBytesPerSec(), 16000u);
    EXPECT_EQ(in.BitsPerSample(), 0);
    EXPECT_EQ(in.BlockAlign(), 1);
    EXPECT_EQ(in.CbSize(), testsupport::kMpegLayer3ExtraSize);
    EXPECT_EQ(testsupport::Mp3BlockSize(in), 168);
    EXPECT_EQ(testsupport::Mp3CodecDelay(in), 0);
}

TEST(Mp3DecodeFormats, LastMatchWins) {
    WaveFormatRecord in = StoredMpegIn();
    WaveFormatRecord out;
    const std::vector<WaveFormatRecord> listed = {Listed(2, 44100, 16000, 1), Listed(1, 44100, 16000, 2),
                                                  Listed(2, 44100, 16000, 3), Listed(2, 48000, 16000, 4)};
    core::DeriveMp3DecodeFormats(Header(2, 44100, 128), listed, in, out);
    EXPECT_EQ(in, listed[2]);
}

TEST(Mp3DecodeFormats, MatchNeedsTheSameByteRate) {
    WaveFormatRecord in = StoredMpegIn();
    WaveFormatRecord out;
    core::DeriveMp3DecodeFormats(Header(2, 44100, 128), {Listed(2, 44100, 16001, 9)}, in, out);
    EXPECT_EQ(testsupport::Mp3BlockSize(in), 168);
}

TEST(EncoderInput, Is16BitPcmWithTheMp3Shape) {
    WaveFormatRecord in = core::MakePcmFormat(2, 22050, 16, 129);
    core::DeriveEncoderInput(Listed(1, 32000, 8000, 1), in);
    EXPECT_EQ(in.FormatTag(), core::kWaveFormatPcm);
    EXPECT_EQ(in, core::MakePcmFormat(1, 32000, 16, 0));
}

WaveFormatRecord Source(uint16_t tag, uint16_t channels, uint16_t bits) {
    WaveFormatRecord r = core::MakePcmFormat(channels, 48000, bits, 0);
    r.SetFormatTag(tag);
    return r;
}

struct WideCase {
    const char* name;
    WaveFormatRecord source;
    bool wide;
};

class WideSource : public testing::TestWithParam<WideCase> {};

TEST_P(WideSource, GoesBy16BitsAtItsOwnRateAndChannels) {
    const WideCase& c = GetParam();
    EXPECT_EQ(core::IsWidePcmSource(c.source), c.wide);
    EXPECT_EQ(core::SixteenBitEquivalent(c.source), core::MakePcmFormat(c.source.Channels(), 48000, 16, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, WideSource,
    testing::Values(WideCase{"Pcm24Mono", Source(1, 1, 24), true}, WideCase{"Pcm32Stereo", Source(1, 2, 32), true},
                    WideCase{"Float32Mono", Source(3, 1, 32), true}, WideCase{"Float64Stereo", Source(3, 2, 64), true},
                    WideCase{"Pcm16", Source(1, 2, 16), false}, WideCase{"Pcm8", Source(1, 1, 8), false},
                    WideCase{"Float16", Source(3, 1, 16), false},
                    WideCase{"Pcm24ThreeChannels", Source(1, 3, 24), false},
                    WideCase{"ExtensibleLeftAsItIs", Source(0xFFFE, 2, 24), false}),
    [](const testing::TestParamInfo<WideCase>& info) { return info.param.name; });

} // namespace

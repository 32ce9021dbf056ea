// PCM to PCM streams opened without a driver handle, as the converter opens them
// once it has added the codec beside it as its own driver: the codec must take
// them over from the platform's unfiltered converter.
#include "AcmTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace acmtest;

namespace {

constexpr double kTonePeak = 0.5;
constexpr double kToneDb = -6.0206; // 20 log10(kTonePeak)

struct Shape {
    DWORD rate;
    WORD channels;
    WORD bits;
    WORD tag = WAVE_FORMAT_PCM;
};

struct ToneCase {
    const char* name;
    Shape src, dst;
    double tone;
    double probe; // an alias or image of the tone, which must stay below kMirrorLimitDb
};
constexpr double kMirrorLimitDb = -100;
constexpr double kKeptToleranceDb = 0.1;

class PcmTone : public ::testing::TestWithParam<ToneCase> {};

// Blocks of an odd size cut frames in two; the destination is what
// acmStreamSize asks for, so the end flag's flush must fit into it.
constexpr size_t kOddBlock = 4099;

} // namespace

TEST_P(PcmTone, KeepsTheToneAndNoMirrorOfIt) {
    const ToneCase& c = GetParam();
    const HACMDRIVERID local = AddLocalCodec();
    const FormatRecord src = PcmRecord(c.src.rate, c.src.channels, c.src.bits, c.src.tag);
    const FormatRecord dst = PcmRecord(c.dst.rate, c.dst.channels, c.dst.bits);
    const Bytes input = Tone(*src.wfx(), c.tone, 3, kTonePeak);
    RunPlan plan;
    plan.blockSize = kOddBlock;
    plan.drainAfterEnd = true;
    const RunResult run = RunStream(src.wfx(), dst.wfx(), input, plan);
    EXPECT_EQ(run.driverId, local) << "another driver took the stream";
    EXPECT_TRUE(run.guardIntact);
    EXPECT_TRUE(run.withinDestination);

    const double inputFrames = static_cast<double>(input.size() / src.wfx()->nBlockAlign);
    EXPECT_NEAR(static_cast<double>(run.output.size() / dst.wfx()->nBlockAlign), inputFrames * c.dst.rate / c.src.rate,
                1.0);
    if (c.tone < c.dst.rate / 2.0) {
        EXPECT_NEAR(ToneLevel(*dst.wfx(), run.output, c.tone), kToneDb, kKeptToleranceDb);
    }
    EXPECT_LT(ToneLevel(*dst.wfx(), run.output, c.probe) - kToneDb, kMirrorLimitDb);

    plan.blockSize = input.size();
    EXPECT_EQ(RunStream(src.wfx(), dst.wfx(), input, plan).output, run.output) << "one call differs from blocks";
}

INSTANTIATE_TEST_SUITE_P(
    Tones, PcmTone,
    ::testing::Values(
        ToneCase{"AliasOf15kHzFrom44100To22050", {44100, 2, 16}, {22050, 2, 16}, 15000, 7050},
        ToneCase{"ImageOf5kHzFrom22050To44100", {22050, 2, 16}, {44100, 2, 16}, 5000, 17050},
        ToneCase{"CdQualityFromMono22050", {22050, 1, 16}, {44100, 2, 16}, 5000, 17050},
        ToneCase{"Passband20kHzFrom48000To44100", {48000, 1, 16}, {44100, 1, 16}, 20000, 21100},
        ToneCase{"AliasOf23kHzFrom48000To44100", {48000, 1, 16}, {44100, 1, 16}, 23000, 21100},
        ToneCase{"Passband20kHzFrom44100To48000", {44100, 2, 16}, {48000, 2, 16}, 20000, 23900},
        ToneCase{"ImageFrom8000To48000", {8000, 1, 16}, {48000, 2, 16}, 3000, 5000},
        ToneCase{"AliasFrom48000To8000", {48000, 2, 16}, {8000, 1, 16}, 5000, 3000},
        // The wide sources of today's recorders, dithered to 16 bits.
        ToneCase{"Recorder24BitsAt44100", {44100, 2, 24}, {44100, 2, 16}, 1000, 3000},
        ToneCase{"Recorder24BitsFrom96000", {96000, 2, 24}, {48000, 2, 16}, 30000, 18000},
        ToneCase{"Integer32BitsToMono22050", {44100, 2, 32}, {22050, 1, 16}, 15000, 7050},
        ToneCase{"Float32From48000To44100", {48000, 1, 32, WAVE_FORMAT_IEEE_FLOAT}, {44100, 1, 16}, 20000, 21100},
        ToneCase{"Float64StereoAt44100", {44100, 2, 64, WAVE_FORMAT_IEEE_FLOAT}, {44100, 2, 16}, 1000, 3000}),
    [](const ::testing::TestParamInfo<ToneCase>& info) { return std::string(info.param.name); });

// The jobs' way: 1024-frame blocks, the destination as large as acmStreamSize
// says, the end flag on the last block and again until nothing comes. All of the
// sound comes out, and within the size bound already with the last block.
struct LengthCase {
    DWORD srcRate, dstRate;
    double seconds;
};

class PcmLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(PcmLength, KeepsTheWholeSound) {
    const LengthCase& c = GetParam();
    const HACMDRIVERID local = AddLocalCodec();
    const FormatRecord src = PcmRecord(c.srcRate, 2), dst = PcmRecord(c.dstRate, 2);
    const Bytes input = Tone(*src.wfx(), 440, c.seconds, kTonePeak);
    RunPlan plan;
    plan.blockSize = 1024 * src.wfx()->nBlockAlign;
    plan.drainAfterEnd = true;
    const RunResult run = RunStream(src.wfx(), dst.wfx(), input, plan);
    EXPECT_EQ(run.driverId, local);
    EXPECT_TRUE(run.guardIntact);
    EXPECT_TRUE(run.withinDestination);
    EXPECT_EQ(run.drained, 0u) << "the end flag's output did not fit into the size acmStreamSize gave";
    const double inputFrames = static_cast<double>(input.size() / src.wfx()->nBlockAlign);
    EXPECT_NEAR(static_cast<double>(run.output.size() / dst.wfx()->nBlockAlign), inputFrames * c.dstRate / c.srcRate,
                1.0);
}

std::vector<LengthCase> EveryListedPair() {
    const DWORD rates[] = {8000, 11025, 16000, 22050, 24000, 32000, 44100, 48000};
    std::vector<LengthCase> cases;
    for (DWORD from : rates) {
        for (DWORD to : rates) {
            for (double seconds : {0.01, 0.3, 1.0, 1.3}) {
                if (from != to) {
                    cases.push_back({from, to, seconds});
                }
            }
        }
    }
    // The extremes of the wide sources' rates.
    cases.push_back({192000, 8000, 1.3});
    cases.push_back({8000, 192000, 1.3});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryListedPair, PcmLength, ::testing::ValuesIn(EveryListedPair()),
                         [](const ::testing::TestParamInfo<LengthCase>& info) {
                             return "From" + std::to_string(info.param.srcRate) + "To" +
                                    std::to_string(info.param.dstRate) + "For" +
                                    std::to_string(static_cast<int>(info.param.seconds * 1000)) + "ms";
                         });

TEST(PcmConvert, StereoToMonoAveragesAndMonoToStereoCopies) {
    AddLocalCodec();
    const FormatRecord stereo = PcmRecord(22050, 2), mono = PcmRecord(22050, 1);
    const Bytes pair = {0x10, 0x00, 0x20, 0x00, 0xF0, 0xFF, 0x10, 0x00}; // (16, 32), (-16, 16)
    EXPECT_EQ(RunStream(stereo.wfx(), mono.wfx(), pair, RunPlan()).output, (Bytes{0x18, 0x00, 0x00, 0x00}));
    EXPECT_EQ(RunStream(mono.wfx(), stereo.wfx(), Bytes{0x34, 0x12}, RunPlan()).output,
              (Bytes{0x34, 0x12, 0x34, 0x12}));
}

TEST(PcmConvert, SixteenToEightBitsIsDitheredWithinOneStep) {
    AddLocalCodec();
    const FormatRecord wide = PcmRecord(11025, 1), narrow = PcmRecord(11025, 1, 8);
    const Bytes input = Tone(*wide.wfx(), 440, 1, kTonePeak);
    const Bytes output = RunStream(wide.wfx(), narrow.wfx(), input, RunPlan()).output;
    ASSERT_EQ(output.size(), input.size() / 2);
    size_t offRounding = 0;
    for (size_t i = 0; i < output.size(); ++i) {
        const double exact = static_cast<int16_t>(input[2 * i] | input[2 * i + 1] << 8) / 256.0 + 128;
        ASSERT_LE(std::abs(output[i] - exact), 1.5) << "sample " << i;
        offRounding += output[i] != std::lround(exact);
    }
    EXPECT_GT(offRounding, output.size() / 10) << "no dither";
}

TEST(PcmConvert, TheSameShapeGivesTheSameBytes) {
    const HACMDRIVERID local = AddLocalCodec();
    for (const Shape& shape : {Shape{44100, 2, 16}, Shape{8000, 1, 8}}) {
        const FormatRecord record = PcmRecord(shape.rate, shape.channels, shape.bits);
        const Bytes input = Tone(*record.wfx(), 440, 0.5, kTonePeak);
        RunPlan plan;
        plan.blockSize = kOddBlock;
        const RunResult run = RunStream(record.wfx(), record.wfx(), input, plan);
        EXPECT_EQ(run.driverId, local) << shape.bits << " bits";
        EXPECT_EQ(run.output, input) << shape.bits << " bits";
    }
}

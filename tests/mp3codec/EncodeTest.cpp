// Encoding sox-made tones through the ACM, checked from outside with mpg123 and sox.
#include "AcmTestSupport.h"

#include <cmath>
#include <regex>

using namespace acmtest;

namespace {

struct EncodeCase {
    const char* name;
    DWORD rate;
    WORD channels;
    const char* format; // the offered format's description, UTF-8
    size_t blockSize;
};

class EncodeTone : public ::testing::TestWithParam<EncodeCase> {};

constexpr double kToneHz = 997;

} // namespace

TEST_P(EncodeTone, DecodesToTheSameToneLevelAndLength) {
    const EncodeCase& c = GetParam();
    RunHostOrFail("sox -n -r " + std::to_string(c.rate) + " -c " + std::to_string(c.channels) +
                  " -b 16 -e signed-integer -t raw " + ShellPath(WorkFile("source.raw")) + " synth 3 sine 997 vol 0.5");
    const Bytes source = ReadByteVector(WorkFile("source.raw"));
    ASSERT_FALSE(source.empty());
    FormatRecord pcm = PcmRecord(c.rate, c.channels);
    FormatRecord mp3 = OfferedMp3Record(c.format);
    RunPlan plan;
    plan.blockSize = c.blockSize;
    const RunResult run = RunStream(pcm.wfx(), mp3.wfx(), source, plan);
    EXPECT_TRUE(run.guardIntact);
    EXPECT_TRUE(run.withinDestination);
    WriteBytes(WorkFile("encoded.mp3"), run.output);

    const std::string check = RunHostOrFail("mpg123 -t " + ShellPath(WorkFile("encoded.mp3")) + " 2>&1");
    EXPECT_FALSE(std::regex_search(check, std::regex("error|Warning|Illegal|resync|Frankenstein"))) << check;
    RunHostOrFail("mpg123 -q -s " + ShellPath(WorkFile("encoded.mp3")) + " > " + ShellPath(WorkFile("decoded.raw")));

    const size_t frameBytes = 2u * c.channels;
    const size_t sourceSamples = source.size() / frameBytes;
    const size_t decodedSamples = ReadByteVector(WorkFile("decoded.raw")).size() / frameBytes;
    const size_t delay = mp3.mp3()->nCodecDelay;
    const size_t samplesPerFrame = c.rate >= 32000 ? 1152 : 576;
    // Fewer samples would mean the end flag left the tail in the encoder.
    EXPECT_GE(decodedSamples, sourceSamples + delay);
    EXPECT_LT(decodedSamples, sourceSamples + delay + samplesPerFrame);

    const SignalStats before = StatOfRaw("source.raw", c.rate, c.channels);
    const SignalStats after = StatOfRaw("decoded.raw", c.rate, c.channels);
    EXPECT_NEAR(after.roughFrequency, kToneHz, kToneHz * 0.01);
    // LAME itself lowers a pure tone by about half a decibel.
    EXPECT_NEAR(20 * std::log10(after.rmsAmplitude / before.rmsAmplitude), 0.0, 1.0) << "level change in dB";
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, EncodeTone,
    ::testing::Values(EncodeCase{"Stereo44100Block1KiB", 44100, 2, "128 kBit/s, 44.100 Hz, Estéreo", 1024},
                      EncodeCase{"Stereo44100BlockOf4095Bytes", 44100, 2, "128 kBit/s, 44.100 Hz, Estéreo", 4095},
                      EncodeCase{"Stereo44100Block64KiB", 44100, 2, "192 kBit/s, 44.100 Hz, Estéreo", 65536},
                      EncodeCase{"Mono22050Block1KiB", 22050, 1, "64 kBit/s, 22.050 Hz, Mono", 1024},
                      EncodeCase{"Mono22050BlockOf1001Bytes", 22050, 1, "64 kBit/s, 22.050 Hz, Mono", 1001},
                      EncodeCase{"Mono22050Block64KiB", 22050, 1, "32 kBit/s, 22.050 Hz, Mono", 65536}),
    [](const ::testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

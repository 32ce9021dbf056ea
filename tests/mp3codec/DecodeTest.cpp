// Decoding lame-made files through the ACM, compared with `lame --decode`.
#include "AcmTestSupport.h"

#include "LameFixtures.h"

#include <algorithm>
#include <cstdlib>

using namespace acmtest;

namespace {

// A decoder outputs 529 samples more than `lame --decode` when no Info frame
// tells it to drop them.
constexpr size_t kDecoderDelay = 529;
constexpr int kSampleTolerance = 2;

struct DecodeCase {
    const char* name;
    LameFile file;
    size_t blockSize;
};

class DecodeLameFile : public ::testing::TestWithParam<DecodeCase> {};

} // namespace

TEST_P(DecodeLameFile, GivesTheSamplesOfLameDecode) {
    const DecodeCase& c = GetParam();
    const Bytes mp3 = MakeLameFile("input.mp3", c.file);
    RunHostOrFail("lame --quiet --decode -t " + ShellPath(WorkFile("input.mp3")) + " " +
                  ShellPath(WorkFile("reference.raw")));
    const std::vector<int16_t> reference = Samples(ReadByteVector(WorkFile("reference.raw")));
    ASSERT_GT(reference.size(), c.file.rate * c.file.channels) << "lame --decode gave less than a second";

    // The converter's way: any driver, the record derived from the first frame.
    FormatRecord source = DerivedMp3Record(c.file.rate, c.file.channels, 128000);
    FormatRecord pcm = PcmRecord(c.file.rate, c.file.channels);
    RunPlan plan;
    plan.blockSize = c.blockSize;
    const RunResult run = RunStream(source.wfx(), pcm.wfx(), mp3, plan);
    EXPECT_EQ(run.driverId, FindCodecDriver());
    EXPECT_TRUE(run.guardIntact);
    EXPECT_TRUE(run.withinDestination);

    const std::vector<int16_t> decoded = Samples(run.output);
    const size_t channels = c.file.channels;
    ASSERT_GE(decoded.size(), reference.size());
    const size_t lag = (decoded.size() - reference.size()) / channels;
    EXPECT_LE(lag, kDecoderDelay);
    int largest = 0;
    for (size_t i = 0; i < reference.size(); ++i) {
        largest = std::max(largest, std::abs(decoded[i + lag * channels] - reference[i]));
    }
    EXPECT_LE(largest, kSampleTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeLameFile,
    ::testing::Values(DecodeCase{"Cbr128Stereo44100", {44100, 2, "-b 128", false}, 1024},
                      DecodeCase{"Cbr128Stereo44100WithId3v2", {44100, 2, "-b 128", true}, 1024},
                      DecodeCase{"Vbr4Stereo44100", {44100, 2, "-V 4", false}, 1024},
                      DecodeCase{"Vbr2Stereo48000WithId3v2", {48000, 2, "-V 2", true}, 1024},
                      DecodeCase{"Cbr64Mono22050", {22050, 1, "-b 64", false}, 1024},
                      DecodeCase{"Vbr5Mono16000WithId3v2", {16000, 1, "-V 5", true}, 1024},
                      DecodeCase{"Mpeg25Cbr32Mono11025WithoutInfoFrame", {11025, 1, "-b 32 -t", false}, 1024},
                      DecodeCase{"Mpeg25Cbr24Stereo8000", {8000, 2, "-b 24", false}, 1024},
                      DecodeCase{"Cbr128Stereo44100InSingleBytes", {44100, 2, "-b 128", true}, 1},
                      DecodeCase{"Vbr4Stereo44100In333ByteBlocks", {44100, 2, "-V 4", false}, 333},
                      DecodeCase{"Cbr128Stereo32000In64KiBBlocks", {32000, 2, "-b 128 -t", true}, 65536}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

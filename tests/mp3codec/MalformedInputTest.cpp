// Input no file should have: the codec neither crashes nor hangs, and never
// writes behind the destination buffer that the stream's size bound gives.
#include "AcmTestSupport.h"

#include "LameFixtures.h"

#include <regex>

using namespace acmtest;

namespace {

// Without an Info frame: a decoder that starts over after damage trims nothing at
// the end either, so outputs compare from their ends.
const LameFile kStereoFile = {44100, 2, "-b 128 -t", false};
constexpr size_t kSamplesPerFrame = 1152;

// A fixed pseudo-random sequence, so that every run feeds the same bytes.
Bytes Garbage(size_t size, uint32_t seed, BYTE everyOther = 0) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = everyOther && i % 2 == 0 ? everyOther : static_cast<BYTE>(seed >> 24);
    }
    return bytes;
}

Bytes Spliced(const Bytes& stream, size_t at, const Bytes& inserted) {
    Bytes result(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(at));
    result.insert(result.end(), inserted.begin(), inserted.end());
    result.insert(result.end(), stream.begin() + static_cast<std::ptrdiff_t>(at), stream.end());
    return result;
}

RunResult Decode(const Bytes& mp3, RunPlan plan = {}) {
    FormatRecord source = DerivedMp3Record(44100, 2, 128000);
    FormatRecord pcm = PcmRecord(44100, 2);
    return RunStream(source.wfx(), pcm.wfx(), mp3, plan);
}

RunResult Encode(const Bytes& pcm, RunPlan plan = {}) {
    FormatRecord source = PcmRecord(44100, 2);
    FormatRecord mp3 = DerivedMp3Record(44100, 2, 128000);
    return RunStream(source.wfx(), mp3.wfx(), pcm, plan);
}

void ExpectBounded(const RunResult& run) {
    EXPECT_TRUE(run.guardIntact) << "written behind the destination buffer";
    EXPECT_TRUE(run.withinDestination) << "reported more output than the buffer holds";
}

Bytes StereoTone(double seconds) {
    RunHostOrFail("sox -n -r 44100 -c 2 -b 16 -e signed-integer -t raw " + ShellPath(WorkFile("tone.raw")) + " synth " +
                  std::to_string(seconds) + " sine 440 sine 660 vol 0.5");
    return ReadByteVector(WorkFile("tone.raw"));
}

// The same bytes come out as when the input goes through in plain 1 KiB blocks.
void ExpectUnchangedBy(RunResult (*convert)(const Bytes&, RunPlan), const Bytes& input, const RunPlan& plan) {
    const RunResult run = convert(input, plan);
    ExpectBounded(run);
    EXPECT_EQ(run.output, convert(input, RunPlan()).output);
}

// A destination buffer below the size bound: the rest waits in the codec for
// the calls that follow.
RunPlan SmallDestination(DWORD size) {
    RunPlan plan;
    plan.destinationSize = size;
    plan.drainAfterEnd = true;
    return plan;
}

void ExpectCleanMp3(const Bytes& mp3) {
    WriteBytes(WorkFile("check.mp3"), mp3);
    const std::string check = RunHostOrFail("mpg123 -t " + ShellPath(WorkFile("check.mp3")) + " 2>&1");
    EXPECT_FALSE(std::regex_search(check, std::regex("error|Warning|Illegal|resync|Frankenstein"))) << check;
}

} // namespace

TEST(DecoderInput, GarbageOfAnyKindStaysWithinTheBuffer) {
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const Case cases[] = {
        {"random bytes", Garbage(200000, 1)},
        {"frame syncs everywhere", Garbage(200000, 2, 0xFF)},
        {"zeros", Bytes(100000, 0)},
        {"an ID3v2 header alone", {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectBounded(Decode(c.bytes));
    }
}

TEST(DecoderInput, ResynchronisesAfterGarbageInTheMiddle) {
    const Bytes clean = MakeLameFile("clean.mp3", kStereoFile, 3);
    const RunResult whole = Decode(clean);
    const Bytes damaged = Spliced(clean, clean.size() / 3 + 7, Garbage(5000, 3));
    const RunResult run = Decode(damaged);
    ExpectBounded(run);
    // A few frames around the damage may go; everything after it comes back.
    const size_t frameBytes = kSamplesPerFrame * 4;
    EXPECT_GE(run.output.size() + 4 * frameBytes, whole.output.size());
    EXPECT_LE(run.output.size(), whole.output.size() + 2 * frameBytes);
    const size_t tail = 44100 * 4;
    ASSERT_GE(run.output.size(), tail);
    EXPECT_TRUE(std::equal(run.output.end() - tail, run.output.end(), whole.output.end() - tail))
        << "the last second differs after the resynchronisation";
}

TEST(DecoderInput, TruncatedFramesAndACutOffEnd) {
    const Bytes clean = MakeLameFile("clean.mp3", kStereoFile, 3);
    Bytes holes;
    for (size_t at = 0; at < clean.size(); at += 1000) {
        // 900 of every 1000 bytes: each frame loses a piece somewhere.
        holes.insert(holes.end(), clean.begin() + at, clean.begin() + std::min(clean.size(), at + 900));
    }
    ExpectBounded(Decode(holes));
    const RunResult whole = Decode(clean);
    const RunResult cut = Decode(Bytes(clean.begin(), clean.begin() + clean.size() / 2 + 101));
    ExpectBounded(cut);
    EXPECT_GT(cut.output.size(), whole.output.size() / 3);
    EXPECT_LT(cut.output.size(), whole.output.size());
}

TEST(DecoderInput, TheEndFlagHandsOverAStreamOfOneFrame) {
    const Bytes clean = MakeLameFile("clean.mp3", kStereoFile, 1);
    const bool padded = (clean[2] >> 1) & 1;
    const size_t frameLength = 144 * 128000 / 44100 + (padded ? 1 : 0);
    const RunResult run = Decode(Bytes(clean.begin(), clean.begin() + static_cast<std::ptrdiff_t>(frameLength)));
    ExpectBounded(run);
    EXPECT_EQ(run.output.size(), kSamplesPerFrame * 4);
}

TEST(DecoderInput, AnId3v2TagClaimingMoreThanThereIsGivesNothing) {
    Bytes tag = {'I', 'D', '3', 4, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};
    const Bytes clean = MakeLameFile("clean.mp3", kStereoFile, 1);
    tag.insert(tag.end(), clean.begin(), clean.end());
    const RunResult run = Decode(tag);
    ExpectBounded(run);
    EXPECT_TRUE(run.output.empty());
}

TEST(DecoderInput, ZeroLengthBlocksAndAResetInMidStream) {
    const Bytes clean = MakeLameFile("clean.mp3", kStereoFile, 2);
    RunPlan withEmptyBlocks;
    withEmptyBlocks.zeroLengthBlocks = true;
    ExpectUnchangedBy(Decode, clean, withEmptyBlocks);
    RunPlan withReset;
    withReset.resetAfterBlocks = 10;
    const RunResult reset = Decode(clean, withReset);
    ExpectBounded(reset);
    EXPECT_FALSE(reset.output.empty());
}

TEST(DecoderInput, ASmallDestinationOnlyDelaysTheOutput) {
    ExpectUnchangedBy(Decode, MakeLameFile("clean.mp3", kStereoFile, 2), SmallDestination(1000));
}

TEST(EncoderInput, BlocksCutInsideSampleFramesOrEmptyChangeNothing) {
    const Bytes tone = StereoTone(1);
    RunPlan singleBytes, threeBytes, empty;
    singleBytes.blockSize = 1;
    threeBytes.blockSize = 3;
    empty.zeroLengthBlocks = true;
    for (const auto& [what, plan] : {std::pair("single bytes", singleBytes), std::pair("three bytes", threeBytes),
                                     std::pair("empty blocks", empty)}) {
        SCOPED_TRACE(what);
        ExpectUnchangedBy(Encode, tone, plan);
    }
}

TEST(EncoderInput, AResetInMidStreamLeavesAPlayableStream) {
    RunPlan reset;
    reset.resetAfterBlocks = 20;
    const RunResult run = Encode(StereoTone(1), reset);
    ExpectBounded(run);
    ExpectCleanMp3(run.output);
}

TEST(EncoderInput, ASmallDestinationOnlyDelaysTheOutput) {
    ExpectUnchangedBy(Encode, StereoTone(2), SmallDestination(300));
}

TEST(EncoderInput, EmptyStreamAndHalfASampleFrame) {
    EXPECT_TRUE(Encode(Bytes()).output.empty());
    const RunResult half = Encode(Bytes{1, 2});
    ExpectBounded(half);
    EXPECT_TRUE(half.output.empty());
}

TEST(EncoderInput, DataAfterTheEndFlagStartsAFreshStream) {
    const Bytes tone = StereoTone(1);
    FormatRecord source = PcmRecord(44100, 2);
    FormatRecord mp3 = DerivedMp3Record(44100, 2, 128000);
    RunPlan twice;
    twice.endFlagEvery = tone.size() / 2;
    const RunResult run = RunStream(source.wfx(), mp3.wfx(), tone, twice);
    ExpectBounded(run);
    ExpectCleanMp3(run.output);
    const RunResult once = Encode(tone);
    EXPECT_GT(run.output.size(), once.output.size()) << "each part is flushed";
}

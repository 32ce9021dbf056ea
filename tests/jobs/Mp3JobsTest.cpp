#include "AudioFiles.h"
#include "JobOutcome.h"
#include "jobs/ConvertJobs.h"

#include <gtest/gtest.h>

namespace {

// Rounding of soxi's durations and of the resampler's per-block output.
constexpr double kSecondsSlack = 0.003;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct DecodeCase {
    const char* name;
    const char* makeMp3; // host command making {in.mp3} from {tone.wav}
    int toneRate;
    int toneChannels;
    Job job;
    int rate;
    int channels;
    int frameSamples; // samples per MPEG frame: 1152, or 576 at the MPEG-2 rates
};

class Mp3Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Mp3Decode, GivesSixteenBitPcmOfTheRightShapeAndLength) {
    const DecodeCase& c = GetParam();
    const std::string tone = std::string(c.name) + "-tone.wav", mp3 = std::string(c.name) + ".mp3",
                      wav = std::string(c.name) + ".wav";
    ASSERT_TRUE(HostOnWorkFiles("sox -r " + std::to_string(c.toneRate) + " -c " + std::to_string(c.toneChannels) +
                                " -n -b 16 {" + tone + "} synth 3 sine 440 vol 0.5"));
    ASSERT_TRUE(HostOnWorkFiles(
        ReplaceAll(ReplaceAll(c.makeMp3, "{tone.wav}", "{" + tone + "}"), "{in.mp3}", "{" + mp3 + "}")));
    JobTestHost host;

    EXPECT_EQ(RunOn(host, c.job, mp3, wav), L"");

    EXPECT_TRUE(host.messages.empty());
    ASSERT_TRUE(HasExactWavHeader(wav));
    // Every frame is decoded, the last one included: at least the source's
    // length (what a decoder gives that trims the encoder's priming and
    // padding) and at most what mpg123 gives without trimming, plus one frame
    // (a decoder may give the encoder's information frame as silence).
    ASSERT_TRUE(HostOnWorkFiles("mpg123 -q --no-gapless -w {" + std::string(c.name) + "-ref.wav} {" + mp3 + "}"));
    const AudioFacts in = Inspect(tone), out = Inspect(wav), untrimmed = Inspect(std::string(c.name) + "-ref.wav");
    EXPECT_EQ(out.rate, c.rate);
    EXPECT_EQ(out.channels, c.channels);
    EXPECT_EQ(out.bits, 16);
    EXPECT_GE(out.seconds, in.seconds - kSecondsSlack);
    EXPECT_LE(out.seconds, untrimmed.seconds + static_cast<double>(c.frameSamples) / c.toneRate + kSecondsSlack);
    EXPECT_NEAR(out.rms, in.rms, in.rms * 0.1);
    EXPECT_TRUE(EndedClean(host));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, Mp3Decode,
    testing::Values(
        DecodeCase{"Stereo44100", "lame --quiet -b 128 {tone.wav} {in.mp3}", 44100, 2, JobKind::Mp3ToWav, 44100, 2,
                   1152},
        DecodeCase{"Mono22050", "lame --quiet -b 64 {tone.wav} {in.mp3}", 22050, 1, JobKind::Mp3ToWav, 22050, 1, 576},
        DecodeCase{"Mono22050ToCd", "lame --quiet -b 64 {tone.wav} {in.mp3}", 22050, 1, JobKind::Mp3ToCdWav, 44100, 2,
                   576},
        DecodeCase{"Stereo44100ToCd", "lame --quiet -b 128 {tone.wav} {in.mp3}", 44100, 2, JobKind::Mp3ToCdWav, 44100,
                   2, 1152},
        DecodeCase{
            "Id3v2Tagged",
            "lame --quiet -b 128 --id3v2-only --pad-id3v2-size 700 --tt Canción --ta Sonaris {tone.wav} {in.mp3}",
            44100, 2, JobKind::Mp3ToWav, 44100, 2, 1152},
        DecodeCase{
            "LeadingZeros",
            "lame --quiet -b 128 {tone.wav} {in.mp3}.tmp && { head -c 5000 /dev/zero; cat {in.mp3}.tmp; } > {in.mp3}",
            44100, 2, JobKind::Mp3ToWav, 44100, 2, 1152},
        DecodeCase{"Mpeg2Stereo24000", "lame --quiet -b 96 {tone.wav} {in.mp3}", 24000, 2, JobKind::Mp3ToCdWav, 44100,
                   2, 576},
        // Zeros, then other bytes before the first frame, as in the ISO compliance streams.
        DecodeCase{"JunkBeforeTheFirstFrame",
                   "lame --quiet -b 128 {tone.wav} {in.mp3}.tmp && { head -c 3000 /dev/zero; head -c 1500 /dev/zero | "
                   "tr '\\0' '\\041'; cat {in.mp3}.tmp; } > {in.mp3}",
                   44100, 2, JobKind::Mp3ToWav, 44100, 2, 1152}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

} // namespace

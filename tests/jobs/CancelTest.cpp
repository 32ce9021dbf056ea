#include "AudioFiles.h"
#include "JobOutcome.h"
#include "jobs/ConvertJobs.h"

#include <gtest/gtest.h>

namespace {

struct CancelCase {
    const char* name;
    const char* makeSource; // host command making the source work file
    const char* source;
    Job job;
    int rate;
    int channels;
};

class Cancel : public testing::TestWithParam<CancelCase> {};

// A cancel between blocks takes the normal way out: the WAV written so far
// gets its final header.
TEST_P(Cancel, LeavesAValidShorterWav) {
    const CancelCase& c = GetParam();
    const std::string destination = std::string("cancelled-") + c.name + ".wav";
    ASSERT_TRUE(HostOnWorkFiles(c.makeSource));
    JobTestHost host;
    host.pcmIndex = host.FindPcm(static_cast<uint16_t>(c.channels), static_cast<uint32_t>(c.rate), 16);
    host.cancelAfterBlocks = 10;

    EXPECT_EQ(RunOn(host, c.job, c.source, destination), L"");

    ASSERT_TRUE(HasExactWavHeader(destination));
    const AudioFacts out = Inspect(destination);
    EXPECT_EQ(out.rate, c.rate);
    EXPECT_EQ(out.channels, c.channels);
    EXPECT_GT(out.samples, 0);
    EXPECT_LT(out.seconds, 2.0);
    EXPECT_TRUE(EndedClean(host));
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, Cancel,
    testing::Values(CancelCase{"Wav2Wav", "sox -r 44100 -c 2 -n -b 16 {long.wav} synth 10 sine 440", "long.wav",
                               JobKind::WavToWav, 22050, 1},
                    CancelCase{"Mp3Cd",
                               "sox -r 22050 -c 1 -n {long-tone.wav} synth 20 sine 440 && "
                               "lame --quiet -b 64 {long-tone.wav} {long.mp3} && rm {long-tone.wav}",
                               "long.mp3", JobKind::Mp3ToCdWav, 44100, 2}),
    [](const testing::TestParamInfo<CancelCase>& info) { return info.param.name; });

} // namespace

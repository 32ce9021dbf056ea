#include "AudioFiles.h"
#include "JobOutcome.h"
#include "jobs/ConvertJobs.h"
#include "jobs/JobTexts.h"

#include <gtest/gtest.h>

namespace {

class Failure : public testing::Test {
public:
    static void SetUpTestSuite() {
        ASSERT_TRUE(HostOnWorkFiles("sox -r 22050 -c 1 -n -b 16 {source.wav} synth 1 sine 440 && "
                                    "lame --quiet -b 64 {source.wav} {source.mp3} && "
                                    "sox -r 44100 -c 3 -n -b 24 {deep.wav} synth 0.5 sine 440 && "
                                    "cat {source.wav} > {stray.wav} && printf 'abc' >> {stray.wav}"));
    }
};

struct WriteCase {
    const char* name;
    Job job;
    const char* source;
};

class FullMedium : public Failure, public testing::WithParamInterface<WriteCase> {};

// The destination is a link to /dev/full: every write fails with ERROR_DISK_FULL.
TEST_P(FullMedium, StopsTheJobWithTheWriteMessage) {
    const WriteCase& c = GetParam();
    const std::string destination = std::string("full-") + c.name + ".out";
    ASSERT_TRUE(HostOnWorkFiles("ln -sf /dev/full {" + destination + "}"));
    JobTestHost host;
    if (c.job == JobKind::WavToMp3 && !host.CodecListsMp3()) {
        GTEST_SKIP() << "no installed codec lists an MPEG layer-3 format";
    }

    EXPECT_EQ(RunOn(host, c.job, c.source, destination), jobtext::kCannotWrite);

    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(EndedClean(host));
}

INSTANTIATE_TEST_SUITE_P(Jobs, FullMedium,
                         testing::Values(WriteCase{"Mp3Wav", JobKind::Mp3ToWav, "source.mp3"},
                                         WriteCase{"Mp3Cd", JobKind::Mp3ToCdWav, "source.mp3"},
                                         WriteCase{"Wav2Wav", JobKind::WavToWav, "source.wav"},
                                         WriteCase{"WavMp3", JobKind::WavToMp3, "source.wav"}),
                         [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

// 1 to 7 bytes behind the last chunk make the WAV reader fail.
TEST_F(Failure, ReadErrorNamesTheFileAndCreatesNothing) {
    JobTestHost host;

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, "stray.wav", "stray-out.wav"),
              std::wstring(jobtext::kCannotRead) + L" " + WorkFile("stray.wav"));

    EXPECT_FALSE(WorkFileExists("stray-out.wav"));
    EXPECT_TRUE(EndedClean(host));
}

// No installed codec takes three channels, so the stream cannot be opened,
// and the destination is never created.
TEST_F(Failure, CodecFailureCarriesTheAcmTextAndCleansUp) {
    JobTestHost host;
    host.pcmIndex = host.FindPcm(2, 44100, 16);

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, "deep.wav", "deep-out.wav"),
              L"acmStreamOpen: The requested operation cannot be performed.");

    EXPECT_FALSE(WorkFileExists("deep-out.wav"));
    EXPECT_TRUE(EndedClean(host));
    int64_t dataSize = -1;

    // Nothing of the failed run is left in the way of the next one.
    EXPECT_EQ(RunOn(host, JobKind::WavToWav, "source.wav", "after-failure.wav"), L"");
    EXPECT_TRUE(HasExactWavHeader("after-failure.wav", &dataSize));
    EXPECT_EQ(dataSize, 176400);
}

} // namespace

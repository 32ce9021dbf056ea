#include "AudioFiles.h"
#include "JobOutcome.h"
#include "jobs/ConvertJobs.h"
#include "jobs/JobTexts.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Work files the refusal cases start from, made once for the test program.
class Refusal : public testing::Test {
public:
    static void SetUpTestSuite() {
        ASSERT_TRUE(HostOnWorkFiles(
            "sox -r 22050 -c 1 -n -b 16 {good.wav} synth 0.5 sine 440 && "
            "lame --quiet -b 64 {good.wav} {good.mp3} && "
            "printf 'Esto no es un fichero de sonido, aunque se llame .wav.' > {text.wav} && "
            "head -c 20000 /dev/zero > {zeros.mp3} && printf '\\377\\373\\220' > {short.mp3} && "
            "{ head -c 100 /dev/zero; printf '\\377\\373\\234\\104'; head -c 500 /dev/urandom; } > "
            "{reserved-rate.mp3} && : > {empty.mp3} && "
            "{ printf '\\377\\373\\220\\104'; head -c 20000 /dev/zero | tr '\\0' U; } > {arbitrary.mp3} && "
            "sox -r 44100 -c 3 -n -b 16 {three.wav} synth 0.2 sine 440"));
        // RIFF WAVE with a data chunk but no "fmt " chunk: channels and block align are 0.
        WriteBytes(WorkFile("no-fmt.wav"),
                   std::vector<uint8_t>{'R', 'I', 'F', 'F', 28, 0, 0, 0, 'W', 'A', 'V', 'E', 'd', 'a',
                                        't', 'a', 8,   0,   0,  0, 1, 2, 3,   4,   5,   6,   7,   8});
    }
};

struct RefusalCase {
    const char* name;
    Job job;
    const char* source;
    std::function<void(JobTestHost&)> setUp;
    std::wstring message;
    bool runStateTouched; // whether Converting and the progress were set before the refusal
    bool raised = false;  // the message is the job's failure (no codec opens its streams), not one it shows
};

class Refusals : public Refusal, public testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, ShowTheirMessageAndCreateNothing) {
    const RefusalCase& c = GetParam();
    const std::string destination = std::string("refused-") + c.name + ".out";
    JobTestHost host;
    if (c.setUp) {
        c.setUp(host);
    }

    EXPECT_EQ(RunOn(host, c.job, c.source, destination), c.raised ? c.message : L"");

    EXPECT_EQ(host.messages, c.raised ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.message});
    EXPECT_FALSE(WorkFileExists(destination));
    EXPECT_FALSE(host.converting);
    EXPECT_EQ(host.convertingChanges, c.runStateTouched ? 2 : 0);
    const std::vector<int> progress = c.runStateTouched ? std::vector<int>{0, 0} : std::vector<int>{};
    EXPECT_EQ(host.progress, progress);
}

// A file the user chose to replace is still there, as it was.
TEST_P(Refusals, LeaveAnExistingDestinationAsItWas) {
    const RefusalCase& c = GetParam();
    const std::string destination = std::string("kept-") + c.name + ".out";
    const std::vector<uint8_t> before = {'E', 'l', ' ', 'v', 'i', 'e', 'j', 'o'};
    WriteBytes(WorkFile(destination), before);
    JobTestHost host;
    if (c.setUp) {
        c.setUp(host);
    }

    RunOn(host, c.job, c.source, destination);

    EXPECT_EQ(ReadByteVector(WorkFile(destination)), before);
}

void NoMp3Formats(JobTestHost& host) { host.mp3Formats.clear(); }
void NoPcmFormats(JobTestHost& host) { host.pcmFormats.clear(); }
void NoMp3Selection(JobTestHost& host) { host.mp3Index = -1; }
void NoPcmSelection(JobTestHost& host) { host.pcmIndex = -1; }
void Mp3SelectionBeyondTable(JobTestHost& host) { host.mp3Index = static_cast<int>(host.mp3Formats.size()); }
// No codec converts to an extensible record.
void NoCdStream(JobTestHost& host) { host.streams.wavcd.formatOut.SetFormatTag(core::kWaveFormatExtensible); }
void StereoPcmSelected(JobTestHost& host) { host.pcmIndex = host.FindPcm(2, 44100, 16); }

constexpr wchar_t kNoStream[] = L"acmStreamOpen: The requested operation cannot be performed.";

std::wstring CannotOpen(const char* name) {
    return jobtext::kCannotOpenBefore + WorkFile(name) + jobtext::kCannotOpenAfter;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusals,
    testing::Values(
        RefusalCase{"Mp3WavNoCodec", JobKind::Mp3ToWav, "good.mp3", NoMp3Formats, jobtext::kNoDecoder, false},
        RefusalCase{"Mp3CdNoCodec", JobKind::Mp3ToCdWav, "good.mp3", NoMp3Formats, jobtext::kNoDecoder, false},
        RefusalCase{"WavMp3NoCodec", JobKind::WavToMp3, "good.wav", NoMp3Formats, jobtext::kNoEncoder, false},
        RefusalCase{"WavMp3NoSelection", JobKind::WavToMp3, "good.wav", NoMp3Selection, jobtext::kNoEncoder, false},
        RefusalCase{"WavMp3SelectionBeyondTable", JobKind::WavToMp3, "good.wav", Mp3SelectionBeyondTable,
                    jobtext::kNoEncoder, false},
        RefusalCase{"Wav2WavNoCodec", JobKind::WavToWav, "good.wav", NoPcmFormats, jobtext::kNoEncoder, false},
        RefusalCase{"Wav2WavNoSelection", JobKind::WavToWav, "good.wav", NoPcmSelection, jobtext::kNoEncoder, false},
        RefusalCase{"Mp3WavMissingSource", JobKind::Mp3ToWav, "missing.mp3", nullptr, jobtext::kCannotOpen, true},
        RefusalCase{"Mp3CdMissingSource", JobKind::Mp3ToCdWav, "missing.mp3", nullptr, jobtext::kCannotOpen, true},
        RefusalCase{"Wav2WavMissingSource", JobKind::WavToWav, "missing.wav", nullptr, CannotOpen("missing.wav"), true},
        RefusalCase{"WavMp3MissingSource", JobKind::WavToMp3, "missing.wav", nullptr, CannotOpen("missing.wav"), true},
        RefusalCase{"Wav2WavTextFile", JobKind::WavToWav, "text.wav", nullptr, jobtext::kNotWav, true},
        RefusalCase{"WavMp3TextFile", JobKind::WavToMp3, "text.wav", nullptr, jobtext::kNotWav, true},
        RefusalCase{"Wav2WavNoFormatChunk", JobKind::WavToWav, "no-fmt.wav", nullptr, jobtext::kNotWav, true},
        RefusalCase{"WavMp3NoFormatChunk", JobKind::WavToMp3, "no-fmt.wav", nullptr, jobtext::kNotWav, true},
        RefusalCase{"Mp3WavAllZeros", JobKind::Mp3ToWav, "zeros.mp3", nullptr, jobtext::kNotMp3, true},
        RefusalCase{"Mp3CdAllZeros", JobKind::Mp3ToCdWav, "zeros.mp3", nullptr, jobtext::kNotMp3, true},
        RefusalCase{"Mp3WavEmpty", JobKind::Mp3ToWav, "empty.mp3", nullptr, jobtext::kNotMp3, true},
        RefusalCase{"Mp3WavThreeBytes", JobKind::Mp3ToWav, "short.mp3", nullptr, jobtext::kNotMp3, true},
        RefusalCase{"Mp3CdReservedRate", JobKind::Mp3ToCdWav, "reserved-rate.mp3", nullptr, jobtext::kNotMp3, true},
        // A frame header with no second one where its frame ends.
        RefusalCase{"Mp3WavHeaderThenArbitraryBytes", JobKind::Mp3ToWav, "arbitrary.mp3", nullptr, jobtext::kNotMp3,
                    true},
        RefusalCase{"Mp3CdHeaderThenArbitraryBytes", JobKind::Mp3ToCdWav, "arbitrary.mp3", nullptr, jobtext::kNotMp3,
                    true},
        // Refused when the streams open: no codec takes three channels.
        RefusalCase{"Wav2WavThreeChannels", JobKind::WavToWav, "three.wav", StereoPcmSelected, kNoStream, true, true},
        RefusalCase{"WavMp3ThreeChannels", JobKind::WavToMp3, "three.wav", nullptr, kNoStream, true, true},
        RefusalCase{"Mp3CdNoCodecForTheSecondStream", JobKind::Mp3ToCdWav, "good.mp3", NoCdStream, kNoStream, true,
                    true}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

struct SameFileCase {
    const char* name;
    Job job;
    const char* source;
    const char* destination;
};

class SameFile : public Refusal, public testing::WithParamInterface<SameFileCase> {};

TEST_P(SameFile, IsRefusedAndTheSourceKept) {
    const SameFileCase& c = GetParam();
    const std::vector<uint8_t> before = ReadByteVector(WorkFile(c.source));
    JobTestHost host;

    EXPECT_EQ(RunOn(host, c.job, c.source, c.destination), L"");

    EXPECT_EQ(host.messages, std::vector<std::wstring>{jobtext::kSameFile});
    EXPECT_EQ(ReadByteVector(WorkFile(c.source)), before);
    EXPECT_EQ(host.convertingChanges, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, SameFile,
    testing::Values(SameFileCase{"Mp3WavSameName", JobKind::Mp3ToWav, "good.mp3", "good.mp3"},
                    SameFileCase{"Mp3CdOtherCase", JobKind::Mp3ToCdWav, "good.mp3", "GOOD.Mp3"},
                    SameFileCase{"WavMp3DotSegments", JobKind::WavToMp3, "good.wav", "sub\\..\\.\\good.wav"},
                    SameFileCase{"Wav2WavOtherCaseAndSlashes", JobKind::WavToWav, "good.wav", "sub/../GOOD.WAV"}),
    [](const testing::TestParamInfo<SameFileCase>& info) { return info.param.name; });

// A second name of the same file (a link) is the same file too.
TEST_F(Refusal, LinkToTheSourceIsTheSameFile) {
    ASSERT_TRUE(HostOnWorkFiles("ln -f {good.wav} {hard-link.wav} && ln -sf {good.wav} {soft-link.wav}"));
    const std::vector<uint8_t> before = ReadByteVector(WorkFile("good.wav"));
    for (const char* link : {"hard-link.wav", "soft-link.wav"}) {
        JobTestHost host;
        EXPECT_EQ(RunOn(host, JobKind::WavToWav, "good.wav", link), L"");
        EXPECT_EQ(host.messages, std::vector<std::wstring>{jobtext::kSameFile}) << link;
    }
    EXPECT_EQ(ReadByteVector(WorkFile("good.wav")), before);
}

} // namespace

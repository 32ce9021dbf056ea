#include "AudioFiles.h"
#include "JobOutcome.h"
#include "support/MemoryByteFile.h"
#include "core/WavFile.h"
#include "jobs/ConvertJobs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The sample bytes of a WAV work file.
std::vector<uint8_t> SampleBytes(const std::string& name) {
    testsupport::MemoryByteFile file(ReadByteVector(WorkFile(name)));
    const core::WavHeaderInfo info = core::ReadWAVHeader(file);
    const std::vector<uint8_t>& all = file.Bytes();
    return std::vector<uint8_t>(all.begin() + info.dataOffset, all.begin() + info.dataOffset + info.dataLength);
}

class Wav2WavLength : public testing::TestWithParam<int> {};

// Every source byte is converted once, the last block and exact multiples of
// the block size included: D bytes of 8-bit mono give exactly 2·D bytes. An
// odd D ends the source in a RIFF pad byte.
TEST_P(Wav2WavLength, EightBitMonoBecomesExactlyTwiceAsMany16BitBytes) {
    const int d = GetParam();
    const std::string src = "mono8-" + std::to_string(d) + ".wav", dst = "mono16-" + std::to_string(d) + ".wav";
    ASSERT_TRUE(
        HostOnWorkFiles("sox -r 22050 -c 1 -n -b 8 {" + src + "} synth " + std::to_string(d) + "s sine 440 vol 0.8"));
    JobTestHost host;
    host.pcmIndex = host.FindPcm(1, 22050, 16);
    ASSERT_GE(host.pcmIndex, 0);

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, src, dst), L"");

    int64_t dataSize = 0;
    ASSERT_TRUE(HasExactWavHeader(dst, &dataSize));
    EXPECT_EQ(dataSize, 2 * d);
    const std::vector<uint8_t> in = SampleBytes(src), out = SampleBytes(dst);
    ASSERT_EQ(out.size(), 2 * in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        const int16_t sample = static_cast<int16_t>(out[2 * i] | out[2 * i + 1] << 8);
        ASSERT_EQ(sample, (in[i] - 128) * 256) << "sample " << i;
    }
    EXPECT_TRUE(EndedClean(host));
}

INSTANTIATE_TEST_SUITE_P(DataLengths, Wav2WavLength, testing::Values(2, 1000, 1024, 4096, 10000, 1, 1001));

struct ShapeCase {
    const char* name;
    const char* sourceShape; // sox options around -n
    int sourceRate;
    long long frames;
    int rate; // of the 16-bit target, which keeps the source's channels
    int channels;
};

class Wav2WavShape : public testing::TestWithParam<ShapeCase> {};

// The whole sound arrives: as many frames as the exact rate ratio gives, give
// or take the one a resampler rounds away, also when its filter holds back
// more than one destination buffer. 24 and 32-bit integer and float sources
// (written extensible by sox) become 16-bit PCM.
TEST_P(Wav2WavShape, KeepsTheWholeLength) {
    const ShapeCase& c = GetParam();
    const std::string src = std::string(c.name) + ".wav", dst = std::string(c.name) + "-out.wav";
    ASSERT_TRUE(HostOnWorkFiles("sox -r " + std::to_string(c.sourceRate) + " -c " + std::to_string(c.channels) + " " +
                                c.sourceShape + " -n {" + src + "} synth " + std::to_string(c.frames) +
                                "s sine 440 vol 0.5"));
    JobTestHost host;
    host.pcmIndex = host.FindPcm(static_cast<uint16_t>(c.channels), static_cast<uint32_t>(c.rate), 16);
    ASSERT_GE(host.pcmIndex, 0);

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, src, dst), L"");

    ASSERT_TRUE(HasExactWavHeader(dst));
    const AudioFacts in = Inspect(src), out = Inspect(dst);
    EXPECT_EQ(out.rate, c.rate);
    EXPECT_EQ(out.channels, c.channels);
    EXPECT_EQ(out.bits, 16);
    EXPECT_NEAR(static_cast<double>(out.samples), static_cast<double>(c.frames) * c.rate / c.sourceRate, 1.0);
    EXPECT_NEAR(out.rms, in.rms, in.rms * 0.05);
    EXPECT_TRUE(EndedClean(host));
}

INSTANTIATE_TEST_SUITE_P(Sources, Wav2WavShape,
                         testing::Values(ShapeCase{"Mono48000To8000OneSecond", "-b 16", 48000, 48000, 8000, 1},
                                         ShapeCase{"Stereo48000To8000", "-b 16", 48000, 62400, 8000, 2},
                                         ShapeCase{"Mono48000To8000Short", "-b 16", 48000, 5000, 8000, 1},
                                         ShapeCase{"Stereo48000To8000Odd", "-b 16", 48000, 100003, 8000, 2},
                                         ShapeCase{"Pcm24Stereo", "-b 24", 44100, 44100, 44100, 2},
                                         ShapeCase{"Pcm24Mono", "-b 24", 22050, 30000, 22050, 1},
                                         ShapeCase{"Pcm32Stereo", "-b 32", 44100, 30000, 44100, 2},
                                         ShapeCase{"Float32Mono", "-e float -b 32", 44100, 30000, 44100, 1},
                                         ShapeCase{"Float64Stereo", "-e float -b 64", 48000, 30000, 48000, 2},
                                         ShapeCase{"Pcm24StereoTo8000", "-b 24", 48000, 48000, 8000, 2}),
                         [](const testing::TestParamInfo<ShapeCase>& info) { return info.param.name; });

TEST(Wav2Wav, RaisesRateAndChannels) {
    ASSERT_TRUE(HostOnWorkFiles("sox -r 22050 -c 1 -n -b 8 {low.wav} synth 22050s sine 300 vol 0.5"));
    JobTestHost host;
    host.pcmIndex = host.FindPcm(2, 44100, 16);
    ASSERT_GE(host.pcmIndex, 0);

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, "low.wav", "cd.wav"), L"");

    ASSERT_TRUE(HasExactWavHeader("cd.wav"));
    const AudioFacts in = Inspect("low.wav"), out = Inspect("cd.wav");
    EXPECT_EQ(out.rate, 44100);
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(out.bits, 16);
    EXPECT_EQ(out.samples, 2 * in.samples);
    EXPECT_NEAR(out.rms, in.rms, in.rms * 0.05);
}

TEST(Wav2Wav, ReportsProgressFromZeroThroughHundredBackToZero) {
    ASSERT_TRUE(HostOnWorkFiles("sox -r 44100 -c 2 -n -b 16 {progress.wav} synth 1 sine 440"));
    JobTestHost host;
    host.pcmIndex = host.FindPcm(1, 22050, 16);

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, "progress.wav", "progress-out.wav"), L"");

    const std::vector<int>& p = host.progress;
    ASSERT_GE(p.size(), 4u);
    EXPECT_EQ(p.front(), 0);
    EXPECT_EQ(p[p.size() - 2], 100);
    EXPECT_EQ(p.back(), 0);
    EXPECT_TRUE(std::is_sorted(p.begin(), p.end() - 1));
    EXPECT_EQ(host.convertingChanges, 2);
}

// A new destination is made without emptying, an existing one must still be emptied.
TEST(Wav2Wav, LeavesNothingOfALongerFileItReplaces) {
    ASSERT_TRUE(HostOnWorkFiles("sox -r 22050 -c 1 -n -b 8 {short.wav} synth 100s sine 440"));
    WriteBytes(WorkFile("replaced.wav"), std::vector<uint8_t>(100000, 0xAA));
    JobTestHost host;
    host.pcmIndex = host.FindPcm(1, 22050, 16);

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, "short.wav", "replaced.wav"), L"");

    int64_t dataSize = 0;
    ASSERT_TRUE(HasExactWavHeader("replaced.wav", &dataSize));
    EXPECT_EQ(dataSize, 200);
}

TEST(Wav2Wav, EmptyDataGivesAnEmptyWav) {
    std::vector<uint8_t> empty = {'R', 'I', 'F', 'F', 36, 0, 0,   0,   'W', 'A',  'V',  'E', 'f', 'm',  't',
                                  ' ', 16,  0,   0,   0,  1, 0,   1,   0,   0x22, 0x56, 0,   0,   0x22, 0x56,
                                  0,   0,   1,   0,   8,  0, 'd', 'a', 't', 'a',  0,    0,   0,   0};
    WriteBytes(WorkFile("empty.wav"), empty);
    JobTestHost host;
    host.pcmIndex = host.FindPcm(2, 44100, 16);

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, "empty.wav", "empty-out.wav"), L"");

    int64_t dataSize = -1;
    ASSERT_TRUE(HasExactWavHeader("empty-out.wav", &dataSize));
    EXPECT_EQ(dataSize, 0);
    EXPECT_TRUE(EndedClean(host));
}

// File names outside any one code page reach the files unchanged.
TEST(Wav2Wav, UnicodeFileNames) {
    const std::string src = "fuente-ñandú-日本語.wav", dst = "destino-Ωμέγα-ß.wav";
    ASSERT_TRUE(HostOnWorkFiles("sox -r 22050 -c 1 -n -b 8 {" + src + "} synth 3000s sine 440"));
    JobTestHost host;
    host.pcmIndex = host.FindPcm(1, 22050, 16);

    EXPECT_EQ(RunOn(host, JobKind::WavToWav, src, dst), L"");

    int64_t dataSize = 0;
    ASSERT_TRUE(HasExactWavHeader(dst, &dataSize));
    EXPECT_EQ(dataSize, 6000);
    EXPECT_EQ(Inspect(dst).samples, 3000);
}

} // namespace

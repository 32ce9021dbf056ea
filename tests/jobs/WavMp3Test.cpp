#include "AudioFiles.h"
#include "JobOutcome.h"
#include "core/WavInfoList.h"
#include "jobs/ConvertJobs.h"

#include <gtest/gtest.h>

namespace {

// Encoding needs an installed MPEG layer-3 encoder, which the suite's own
// codec provides once installed into the test prefix.
#define REQUIRE_MP3_ENCODER(host)                                                                                      \
    if (!(host).CodecListsMp3()) {                                                                                     \
        GTEST_SKIP() << "no installed codec lists an MPEG layer-3 format (the suite's l3codecp.exe is not installed)"; \
    }

struct EncodeCase {
    const char* name;
    const char* sourceShape; // sox options around -n
    int rate;
    int channels;
};

class Mp3Encode : public testing::TestWithParam<EncodeCase> {};

TEST_P(Mp3Encode, GivesBareMpegAudioThatDecodesToTheSourceLength) {
    const EncodeCase& c = GetParam();
    const std::string src = std::string(c.name) + ".wav", mp3 = std::string(c.name) + ".mp3",
                      back = std::string(c.name) + "-decoded.wav";
    JobTestHost host;
    REQUIRE_MP3_ENCODER(host);
    host.mp3Index = host.FindMp3(static_cast<uint16_t>(c.channels), static_cast<uint32_t>(c.rate));
    ASSERT_GE(host.mp3Index, 0) << "no listed MP3 format with " << c.channels << " channels at " << c.rate;
    ASSERT_TRUE(HostOnWorkFiles(std::string("sox ") + c.sourceShape + " {" + src + "} synth 2 sine 440 vol 0.5"));

    EXPECT_EQ(RunOn(host, JobKind::WavToMp3, src, mp3), L"");

    const std::vector<uint8_t> bytes = ReadByteVector(WorkFile(mp3));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1] & 0xE0, 0xE0);
    ASSERT_TRUE(HostOnWorkFiles("mpg123 -q -w {" + back + "} {" + mp3 + "}"));
    const AudioFacts in = Inspect(src), out = Inspect(back);
    EXPECT_EQ(out.rate, c.rate);
    EXPECT_EQ(out.channels, c.channels);
    EXPECT_NEAR(out.seconds, in.seconds, 0.1);
    EXPECT_NEAR(out.rms, in.rms, in.rms * 0.15);
    EXPECT_TRUE(EndedClean(host));
}

INSTANTIATE_TEST_SUITE_P(Shapes, Mp3Encode,
                         testing::Values(EncodeCase{"EightBitMonoToStereo44100", "-r 22050 -c 1 -n -b 8", 44100, 2},
                                         EncodeCase{"Stereo44100", "-r 44100 -c 2 -n -b 16", 44100, 2},
                                         EncodeCase{"Mono22050", "-r 22050 -c 1 -n -b 16", 22050, 1},
                                         EncodeCase{"Pcm24Stereo44100", "-r 44100 -c 2 -n -b 24", 44100, 2},
                                         EncodeCase{"Pcm32MonoTo22050", "-r 44100 -c 1 -n -b 32", 22050, 1},
                                         EncodeCase{"Float32Stereo", "-r 44100 -c 2 -n -e float -b 32", 44100, 2},
                                         EncodeCase{"Float64Mono22050", "-r 22050 -c 1 -n -e float -b 64", 22050, 1}),
                         [](const testing::TestParamInfo<EncodeCase>& info) { return info.param.name; });

TEST(Mp3Encode, CancelKeepsTheFramesDone) {
    JobTestHost host;
    REQUIRE_MP3_ENCODER(host);
    host.mp3Index = host.FindMp3(2, 44100);
    ASSERT_GE(host.mp3Index, 0);
    ASSERT_TRUE(HostOnWorkFiles("sox -r 44100 -c 2 -n -b 16 {long-enc.wav} synth 10 sine 440"));
    host.cancelAfterBlocks = 50;

    EXPECT_EQ(RunOn(host, JobKind::WavToMp3, "long-enc.wav", "long-enc.mp3"), L"");

    ASSERT_TRUE(HostOnWorkFiles("mpg123 -q -t {long-enc.mp3}"));
    EXPECT_GT(ReadByteVector(WorkFile("long-enc.mp3")).size(), 0u);
    EXPECT_TRUE(EndedClean(host));
}

// The texts as exiftool reads them back, one a line: from the ID3 v1 tag of
// an MP3 or the "INFO" list of a WAV.
std::string TagTexts(const std::string& name, bool wav) {
    const char* tags = wav ? "-RIFF:Title -RIFF:Artist -RIFF:Product -RIFF:DateCreated -RIFF:Comment -RIFF:TrackNumber "
                             "-RIFF:Genre"
                           : "-ID3v1:Title -ID3v1:Artist -ID3v1:Album -ID3v1:Year -ID3v1:Comment -ID3v1:Track "
                             "-ID3v1:Genre";
    return HostOutput(std::string("exiftool -s3 ") + tags + " {" + name + "}");
}

// MP3 to CD-quality WAV, WAV to WAV and back to MP3: the tag survives every step.
TEST(TagsTravel, FromMp3ThroughWavBackToMp3) {
    JobTestHost host;
    REQUIRE_MP3_ENCODER(host);
    host.mp3Index = host.FindMp3(2, 44100);
    host.pcmIndex = host.FindPcm(2, 44100, 16);
    ASSERT_TRUE(
        HostOnWorkFiles("sox -r 22050 -c 1 -n -b 16 {tag-tone.wav} synth 1 sine 440 vol 0.5 && lame --quiet -b 64 "
                        "--id3v1-only --tt Canción --ta 'Los Sonaris' --tl Disco --ty 1998 --tc 'Comentario corto' "
                        "--tn 7 --tg Rock {tag-tone.wav} {tagged.mp3}"));
    const std::string texts = "Canción\nLos Sonaris\nDisco\n1998\nComentario corto\n7\nRock\n";
    ASSERT_EQ(TagTexts("tagged.mp3", false), texts);

    EXPECT_EQ(RunOn(host, JobKind::Mp3ToCdWav, "tagged.mp3", "tagged.wav"), L"");
    EXPECT_EQ(RunOn(host, JobKind::WavToWav, "tagged.wav", "kept.wav"), L"");
    EXPECT_EQ(RunOn(host, JobKind::WavToMp3, "kept.wav", "back.mp3"), L"");

    const core::ID3TagFields fields = {"Canci\xF3n", "Los Sonaris", "Disco", "1998", "Comentario corto", "7", "Rock"};
    const int64_t list = static_cast<int64_t>(core::BuildWavInfoList(fields).size());
    for (const char* wav : {"tagged.wav", "kept.wav"}) {
        int64_t dataSize = 0;
        EXPECT_TRUE(HasExactWavHeader(wav, &dataSize, list));
        EXPECT_EQ(Inspect(wav).samples * 4, dataSize);
        EXPECT_EQ(TagTexts(wav, true), texts) << wav;
    }
    EXPECT_TRUE(HostOnWorkFiles("mpg123 -q -t {back.mp3}"));
    EXPECT_EQ(TagTexts("back.mp3", false), texts);
    EXPECT_TRUE(EndedClean(host));
}

} // namespace

#include "TestDriver.h"
#include "codec/CodecDiscovery.h"
#include "codec/LocalCodec.h"
#include "mp3codec/CodecIdentity.h"
#include "support/HostTool.h"
#include "support/Mp3Fields.h"
#include "support/ScopedAcmStream.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class RecordingSink : public FormatListSink {
public:
    void AddMP3FormatEntry(const std::wstring& description) override { mp3.push_back(description); }
    void AddPCMFormatEntry(const std::wstring& description) override { pcm.push_back(description); }
    void ProcessMessages() override { ++pumps; }
    std::vector<std::wstring> mp3, pcm;
    int pumps = 0;
};

TEST(CodecDiscovery, ListsPlatformPcmFormatsAndNoOtherTag) {
    RecordingSink sink;
    CodecDiscovery discovery(sink);
    discovery.Enumerate();
    ASSERT_GT(discovery.PCMFormats.size(), 0u);
    EXPECT_EQ(sink.pcm.size(), discovery.PCMFormats.size());
    EXPECT_EQ(sink.mp3.size(), discovery.MP3Formats.size());
    for (const auto& record : discovery.PCMFormats) {
        EXPECT_EQ(record.FormatTag(), core::kWaveFormatPcm);
    }
    for (const auto& record : discovery.MP3Formats) {
        EXPECT_EQ(record.FormatTag(), core::kWaveFormatMpegLayer3);
    }
    // Wine's PCM converter describes its formats as "44100 Hz; 16 bits; Stereo".
    EXPECT_NE(std::find(sink.pcm.begin(), sink.pcm.end(), L"44100 Hz; 16 bits; Stereo"), sink.pcm.end());
    EXPECT_GE(sink.pumps, 1);
}

TEST(CodecDiscovery, LayerThreeFormatsOfADriverAppearInItsOrder) {
    testdriver::Registration registration;
    ASSERT_TRUE(registration.Ok());
    RecordingSink sink;
    CodecDiscovery discovery(sink);
    discovery.Enumerate();

    const std::vector<std::wstring> expected = {L"Prueba 11025 Hz", L"Prueba 8000 Hz", L"Prueba 11025 Hz"};
    auto first = std::search(sink.mp3.begin(), sink.mp3.end(), expected.begin(), expected.end());
    ASSERT_NE(first, sink.mp3.end());
    const size_t at = static_cast<size_t>(first - sink.mp3.begin());
    const auto& offered = testdriver::OfferedFormats();
    for (size_t i = 0; i < offered.size(); ++i) {
        const core::WaveFormatRecord& record = discovery.MP3Formats[at + i];
        EXPECT_EQ(record.AvgBytesPerSec(), offered[i].wfx.nAvgBytesPerSec);
        EXPECT_EQ(testsupport::Mp3BlockSize(record), 313);
        EXPECT_EQ(record.bytes[30], 0) << "bytes beyond what the codec reported stay zero";
    }
}

// The driver that serves a 44100 to 22050 Hz stream opened with no driver
// handle, as the jobs open theirs; empty when none does.
std::wstring RateChangeDriver(HACMDRIVERID* servedBy) {
    WAVEFORMATEX from = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    WAVEFORMATEX to = {WAVE_FORMAT_PCM, 2, 22050, 22050 * 4, 4, 16, 0};
    testsupport::ScopedAcmStream stream;
    if (acmStreamOpen(stream.Receive(), nullptr, &from, &to, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
        MMSYSERR_NOERROR) {
        return {};
    }
    acmDriverID(reinterpret_cast<HACMOBJ>(stream.get()), servedBy, 0);
    ACMDRIVERDETAILSW details = {};
    details.cbStruct = sizeof details;
    acmDriverDetailsW(*servedBy, &details, 0);
    return details.szShortName;
}

// The suite's codec beside the program comes before every installed driver;
// without it the installed ones serve as before.
TEST(CodecDiscovery, TheSuitesCodecBesideTheProgramComesFirst) {
    const struct {
        const char* name;
        std::wstring folder;
        bool added;
    } cases[] = {
        {"no codec in the folder", testsupport::WorkDir() + L"\\", false},
        {"the codec in the folder", testsupport::WindowsPath(SONARIS_CODEC_DIR) + L"\\", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const codec::LocalCodec local(c.folder);
        EXPECT_EQ(local.Added(), c.added);
        HACMDRIVERID servedBy = nullptr;
        const std::wstring name = RateChangeDriver(&servedBy);
        EXPECT_FALSE(name.empty()) << "some driver changes the rate";
        if (c.added) {
            EXPECT_EQ(name, mp3codec::kDriverShortName);
            EXPECT_EQ(servedBy, codec::LocalCodec::Current()) << "the added driver, not an installed copy";
            RecordingSink sink;
            CodecDiscovery discovery(sink);
            discovery.Enumerate();
            EXPECT_FALSE(discovery.MP3Formats.empty());
            std::vector<std::wstring> once = sink.mp3;
            std::sort(once.begin(), once.end());
            EXPECT_EQ(std::unique(once.begin(), once.end()), once.end()) << "an installed copy is not listed again";
        }
    }
}

} // namespace

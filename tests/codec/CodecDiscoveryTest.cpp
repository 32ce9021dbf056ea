#include "TestDriver.h"
#include "codec/CodecDiscovery.h"

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
        EXPECT_EQ(record.Mp3BlockSize(), 313);
        EXPECT_EQ(record.bytes[30], 0) << "bytes beyond what the codec reported stay zero";
    }
}

} // namespace

// The converter's design-time data for its four conversion streams.
#include "core/ConvertorState.h"
#include "support/Mp3Fields.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::map<std::string, core::ConvertorState> StoredStates() {
    std::ifstream in(SONARIS_SOURCE_DIR "/ui/MainFormComponents.txt");
    std::stringstream text;
    text << in.rdbuf();
    return core::ParseConvertorStates(text.str());
}

void ExpectMp3(const core::WaveFormatRecord& f, uint32_t rate, uint32_t bytesPerSec, uint16_t blockSize) {
    EXPECT_EQ(f.FormatTag(), 85);
    EXPECT_EQ(f.Channels(), 2);
    EXPECT_EQ(f.SamplesPerSec(), rate);
    EXPECT_EQ(f.AvgBytesPerSec(), bytesPerSec);
    EXPECT_EQ(f.BlockAlign(), 1);
    EXPECT_EQ(f.CbSize(), 12);
    EXPECT_EQ(testsupport::Mp3Id(f), 1);
    EXPECT_EQ(testsupport::Mp3Flags(f), 2u);
    EXPECT_EQ(testsupport::Mp3BlockSize(f), blockSize);
    EXPECT_EQ(testsupport::Mp3FramesPerBlock(f), 1);
    EXPECT_EQ(testsupport::Mp3CodecDelay(f), 1393);
}

TEST(StoredConvertors, HoldTheFourDesignTimeComponents) {
    auto states = StoredStates();
    ASSERT_EQ(states.size(), 4u);
    ExpectMp3(states["mp3wav"].formatIn, 24000, 7000, 168);
    ExpectMp3(states["wavmp3"].formatOut, 44100, 16000, 417);
    EXPECT_EQ(states["mp3wav"].formatOut, core::MakePcmFormat(2, 44100, 16, 129));
    EXPECT_EQ(states["wavcd"].formatIn, core::MakePcmFormat(1, 22050, 8, 129));
    EXPECT_EQ(states["wavcd"].formatOut, core::MakePcmFormat(2, 44100, 16, 129));
    EXPECT_EQ(states["wavtowav"].formatIn, core::MakePcmFormat(1, 22050, 8, 129));
    EXPECT_EQ(states["wavtowav"].formatOut, core::MakePcmFormat(2, 22050, 16, 129));
    EXPECT_EQ(states["wavmp3"].formatIn, core::MakePcmFormat(2, 22050, 16, 129));
    for (const auto& [name, state] : states) {
        EXPECT_EQ(state.inputBufferSize, 2048u) << name;
        EXPECT_FALSE(state.useRealTime) << name;
    }
}

} // namespace

#include "core/ConvertorState.h"
#include "support/ConvertorStateText.h"
#include "support/Mp3Fields.h"

#include <gtest/gtest.h>

using core::ConvertorState;
using core::ParseConvertorStates;
using testsupport::WriteConvertorState;

namespace {

ConvertorState Mp3Decoder() {
    ConvertorState state;
    state.formatIn = core::WaveFormatRecord{};
    state.formatIn.SetFormatTag(core::kWaveFormatMpegLayer3);
    state.formatIn.SetChannels(2);
    state.formatIn.SetSamplesPerSec(24000);
    state.formatIn.SetCbSize(testsupport::kMpegLayer3ExtraSize);
    testsupport::SetMp3BlockSize(state.formatIn, 168);
    testsupport::SetMp3CodecDelay(state.formatIn, 1393);
    state.formatOut = core::MakePcmFormat(2, 44100, 16, 129);
    state.inputBufferSize = 4096;
    state.useRealTime = true;
    return state;
}

TEST(ConvertorState, RoundTripKeepsEveryByte) {
    const ConvertorState original = Mp3Decoder();
    auto states = ParseConvertorStates(WriteConvertorState("mp3wav", original) + WriteConvertorState("wavcd", {}));
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states["mp3wav"].formatIn, original.formatIn);
    EXPECT_EQ(states["mp3wav"].formatOut, original.formatOut);
    EXPECT_EQ(states["mp3wav"].inputBufferSize, 4096u);
    EXPECT_TRUE(states["mp3wav"].useRealTime);
    EXPECT_FALSE(states["wavcd"].useRealTime);
}

TEST(ConvertorState, BlobsAreWrittenWithLength129) {
    const std::string text = WriteConvertorState("x", {});
    EXPECT_NE(text.find("ACMFormatIn = {\n    81000000"), std::string::npos);
    EXPECT_EQ(text.find("UseRealTime"), std::string::npos) << "stored only when true";
}

TEST(ConvertorState, CreationDefaultIsPcm22050Mono8Bit) {
    const core::WaveFormatRecord f = ConvertorState::CreationDefaultFormat();
    EXPECT_EQ(f.FormatTag(), 1);
    EXPECT_EQ(f.SamplesPerSec(), 22050u);
    EXPECT_EQ(f.AvgBytesPerSec(), 22050u);
    EXPECT_EQ(f.BlockAlign(), 1);
    EXPECT_EQ(f.BitsPerSample(), 8);
    EXPECT_EQ(f.CbSize(), 129);
}

TEST(ConvertorState, LongBlobFillsRecordOnly) {
    std::string blob = "84000000"; // 132 bytes declared and present
    for (int i = 0; i < 132; ++i) {
        blob += "7F";
    }
    auto states = ParseConvertorStates("object a: TACMConvertor ACMFormatIn = {" + blob + "} end");
    EXPECT_EQ(states["a"].formatIn.bytes[128], 0x7F);
    EXPECT_EQ(states["a"].formatOut, ConvertorState::CreationDefaultFormat());
}

TEST(ConvertorState, MalformedTextIsRefused) {
    for (const char* text : {"object a: TOther end", "object a: TACMConvertor InputBufferSize = x end",
                             "object a: TACMConvertor ACMFormatIn = {0500000001} end",
                             "object a: TACMConvertor ACMFormatIn = {81", "object a TACMConvertor end"}) {
        EXPECT_THROW(ParseConvertorStates(text), core::StateFormatError) << text;
    }
}

} // namespace

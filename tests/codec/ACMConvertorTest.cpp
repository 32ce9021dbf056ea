#include "TestDriver.h"
#include "codec/ACMConvertor.h"
#include "core/StdioByteFile.h"
#include "core/WavFile.h"
#include "support/HostTool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

// Array allocations of this size or more fail, as when memory runs out.
static size_t failArraysFrom = SIZE_MAX;
void* operator new[](size_t size) {
    void* block = size < failArraysFrom ? std::malloc(size ? size : 1) : nullptr;
    return block ? block : throw std::bad_alloc();
}
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete[](void* block, size_t) noexcept { std::free(block); }

using testsupport::RunHost;
using testsupport::ShellPath;

namespace {

TACMConvertor* NewPcmConvertor() {
    auto* convertor = new TACMConvertor;
    convertor->ACMFormatIn = core::MakePcmFormat(1, 22050, 8, 0);
    convertor->ACMFormatOut = core::MakePcmFormat(1, 22050, 16, 0);
    return convertor;
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EACMConvertor& e) {
        return e.what();
    }
    return "(nothing raised)";
}

struct ResultCase {
    const char* prefix;
    MMRESULT code;
    const char* message;
};

TEST(CheckACMResult, NamesTheCallAndTheReason) {
    const ResultCase cases[] = {
        {"acmStreamConvert:", 5, "acmStreamConvert: The specified handle is invalid."},
        {"acmStreamOpen:", 6, "acmStreamOpen: A suitable driver is not available to provide valid format selections."},
        {"acmStreamSize:", 7, "acmStreamSize: The system is unable to allocate resources."},
        {"acmStreamOpen:", 10, "acmStreamOpen: At least one flag is invalid."},
        {"acmStreamOpen:", 11, "acmStreamOpen: At least one parameter is invalid."},
        {"acmStreamOpen:", 512, "acmStreamOpen: The requested operation cannot be performed."},
        {"acmStreamConvert:", 513, "acmStreamConvert: The conversion stream is already in use."},
        {"acmStreamConvert:", 514,
         "acmStreamConvert: Cannot perform this action on a header that has not been prepared."},
        {"acmStreamReset", 5, "acmStreamReset The specified handle is invalid."},
        {"acmStreamClose:", 999, "acmStreamClose: raised an unknown error (code #999)"},
        {"acmStreamReset", 1, "acmStreamReset raised an unknown error (code #1)"},
    };
    for (const ResultCase& c : cases) {
        EXPECT_EQ(MessageOf([&] { TACMConvertor::CheckACMResult(c.prefix, c.code); }), c.message);
    }
    EXPECT_NO_THROW(TACMConvertor::CheckACMResult("acmStreamOpen:", 0));
}

TEST(ACMConvertor, BufferWithoutMemoryClosesTheStream) {
    std::unique_ptr<TACMConvertor> convertor(NewPcmConvertor());
    convertor->SetInputBufferSize(4096);
    failArraysFrom = 8192; // the destination buffer
    EXPECT_THROW(convertor->SetActive(true), std::bad_alloc);
    failArraysFrom = SIZE_MAX;
    EXPECT_FALSE(convertor->Active());
    EXPECT_EQ(convertor->StreamHandle(), nullptr);
    EXPECT_EQ(convertor->SourceBuffer(), nullptr);
}

TEST(ACMConvertor, SettersRefuseWhileActiveAndKeepOldValue) {
    std::unique_ptr<TACMConvertor> convertor(NewPcmConvertor());
    convertor->SetInputBufferSize(4096);
    convertor->SetActive(true);
    ASSERT_TRUE(convertor->Active());
    EXPECT_EQ(MessageOf([&] { convertor->SetInputBufferSize(1000); }),
              "You cannot change the buffer size while active.");
    EXPECT_EQ(convertor->InputBufferSize(), 4096u);
    EXPECT_EQ(convertor->OutputBufferSize(), 8192u);
    EXPECT_EQ(convertor->StreamHeader().cbSrcLength, 4096u);

    convertor->SetActive(false);
    EXPECT_EQ(convertor->SourceBuffer(), nullptr);
    convertor->SetInputBufferSize(1000);
    EXPECT_EQ(convertor->InputBufferSize(), 1000u);
}

TEST(ACMConvertor, UnknownConversionIsReportedAndLeavesNothingOpen) {
    TACMConvertor convertor;
    convertor.ACMFormatIn = core::MakePcmFormat(1, 22050, 8, 0);
    convertor.ACMFormatOut.SetFormatTag(0x7B7B);
    EXPECT_EQ(MessageOf([&] { convertor.SetActive(true); }),
              "acmStreamOpen: The requested operation cannot be performed.");
    EXPECT_FALSE(convertor.Active());
    EXPECT_EQ(convertor.SourceBuffer(), nullptr);
}

class DriverStreams : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(registration_.Ok());
        testdriver::Stats() = {};
    }
    std::unique_ptr<TACMConvertor> PrivateConvertor(const core::ConvertorState& stored = {}) {
        auto convertor = std::make_unique<TACMConvertor>(stored);
        WAVEFORMATEX source = testdriver::PrivateSourceFormat();
        std::memcpy(convertor->ACMFormatIn.bytes.data(), &source, sizeof source);
        convertor->ACMFormatOut = core::MakePcmFormat(1, 8000, 16, 0);
        return convertor;
    }
    testdriver::Registration registration_;
};

TEST_F(DriverStreams, SettingActiveTwiceOpensOnceAndDestroyCloses) {
    auto convertor = PrivateConvertor();
    convertor->SetActive(true);
    convertor->SetActive(true);
    EXPECT_EQ(testdriver::Stats().streamOpens, 1);
    convertor.reset();
    EXPECT_EQ(testdriver::Stats().streamCloses, 1);
}

TEST_F(DriverStreams, StoredRealTimeFlagDecidesHowTheStreamOpens) {
    for (const bool realTime : {false, true}) {
        core::ConvertorState stored;
        stored.useRealTime = realTime;
        PrivateConvertor(stored)->SetActive(true);
        EXPECT_EQ((testdriver::Stats().openFlags & ACM_STREAMOPENF_NONREALTIME) == 0, realTime);
    }
}

TEST_F(DriverStreams, FailedSizeClosesTheStreamAgain) {
    testdriver::Stats().failStreamSize = true;
    auto convertor = PrivateConvertor();
    EXPECT_EQ(MessageOf([&] { convertor->SetActive(true); }),
              "acmStreamSize: The system is unable to allocate resources.");
    EXPECT_FALSE(convertor->Active());
    EXPECT_EQ(testdriver::Stats().streamOpens, 1);
    EXPECT_EQ(testdriver::Stats().streamCloses, 1);
}

// A close the driver refuses is reported by SetActive; the quiet close of the
// clean-up paths still leaves the component inactive and ready for its next job.
TEST_F(DriverStreams, RefusedCloseStillLetsTheQuietCloseEndTheStream) {
    auto convertor = PrivateConvertor();
    convertor->SetActive(true);
    testdriver::Stats().refuseNextStreamClose = true;
    EXPECT_EQ(MessageOf([&] { convertor->SetActive(false); }),
              "acmStreamClose: The conversion stream is already in use.");
    convertor->Deactivate();
    EXPECT_FALSE(convertor->Active());
    EXPECT_NO_THROW(convertor->SetInputBufferSize(4096));
    EXPECT_EQ(testdriver::Stats().streamCloses, 1);
}

// 22050 Hz 8-bit mono made by sox, raised block by block to 44100 Hz 16-bit
// stereo through the platform's PCM converter. The length is even on purpose:
// sox pads an odd data chunk, and a pad byte behind the last chunk is a read error.
TEST(ACMConvertor, ConvertsAWavFileBlockByBlock) {
    const std::wstring source = testsupport::WorkDir() + L"\\tone8.wav";
    const std::wstring target = testsupport::WorkDir() + L"\\tone16.wav";
    auto made = RunHost("sox -n -r 22050 -c 1 -b 8 " + ShellPath(source) + " synth 1.4 sine 440 vol 0.5");
    ASSERT_EQ(made.exitCode, 0) << made.output;

    core::StdioByteFile in(testsupport::Narrow(source), "rb");
    core::StdioByteFile out(testsupport::Narrow(target), "w+b");
    ASSERT_TRUE(in.IsOpen() && out.IsOpen());
    const core::WavHeaderInfo wav = core::ReadWAVHeader(in);
    ASSERT_TRUE(wav.valid);
    ASSERT_EQ(wav.dataLength, 30870);

    TACMConvertor convertor;
    convertor.ACMFormatIn.CopyPrefix(wav.format, core::kWaveFormatExSize);
    convertor.ACMFormatOut = core::MakePcmFormat(2, 44100, 16, 0);
    convertor.SetInputBufferSize(convertor.ACMFormatIn.BlockAlign() * 1024u);
    ASSERT_TRUE(core::WriteWAVHeader(out, convertor.ACMFormatOut, 0));
    convertor.SetActive(true);
    in.Seek(wav.dataOffset);
    int32_t remaining = wav.dataLength;
    DWORD flags = ACM_STREAMCONVERTF_START;
    while (remaining > 0) {
        const uint32_t n = std::min<uint32_t>(convertor.InputBufferSize(), static_cast<uint32_t>(remaining));
        ASSERT_EQ(in.Read(convertor.SourceBuffer(), n), n);
        remaining -= static_cast<int32_t>(n);
        if (remaining == 0) {
            flags |= ACM_STREAMCONVERTF_END;
        }
        ACMSTREAMHEADER& header = convertor.StreamHeader();
        header.cbSrcLength = n;
        TACMConvertor::CheckACMResult("acmStreamConvert:", acmStreamConvert(convertor.StreamHandle(), &header, flags));
        ASSERT_EQ(header.cbSrcLengthUsed, n);
        ASSERT_TRUE(out.Write(convertor.DestBuffer(), header.cbDstLengthUsed));
        flags = 0;
    }
    TACMConvertor::CheckACMResult("acmStreamReset", acmStreamReset(convertor.StreamHandle(), 0));
    convertor.SetActive(false);
    ASSERT_TRUE(core::WriteWAVHeader(out, convertor.ACMFormatOut, core::kWavHeaderSize));
    EXPECT_EQ(out.Size(), 44 + 30870 * 8);

    const std::string file = ShellPath(target);
    auto info = RunHost("for f in -r -c -b -s; do soxi $f " + file + "; done");
    EXPECT_EQ(info.output, "44100\n2\n16\n61740\n");
}

} // namespace

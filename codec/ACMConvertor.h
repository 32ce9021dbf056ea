#pragma once
// One Audio Compression Manager conversion stream as a reusable component: a
// source and a destination format, a source and a destination buffer and one
// stream header prepared for both. The conversion loops live in the jobs.
#include "core/ConvertorState.h"
#include "core/WaveFormatRecord.h"

#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

class EACMConvertor : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TACMConvertor {
public:
    // Creation defaults, then the stored values of the component's design-time data.
    explicit TACMConvertor(const core::ConvertorState& stored = {});
    ~TACMConvertor();
    TACMConvertor(const TACMConvertor&) = delete;
    TACMConvertor& operator=(const TACMConvertor&) = delete;

    bool Active() const { return active_; }
    void SetActive(bool value);
    // Closes the stream without raising, for clean-up paths: a close that the
    // platform refuses abandons the stream, so the component is inactive after.
    void Deactivate() noexcept;
    uint32_t InputBufferSize() const { return inputBufferSize_; }
    void SetInputBufferSize(uint32_t value);
    uint32_t OutputBufferSize() const { return outputBufferSize_; }

    uint8_t* SourceBuffer() { return sourceBuffer_.get(); }
    uint8_t* DestBuffer() { return destBuffer_.get(); }
    HACMSTREAM StreamHandle() const { return streamHandle_; }
    ACMSTREAMHEADER& StreamHeader() { return streamHeader_; }

    // Raises EACMConvertor named after the failing call unless code is 0.
    static void CheckACMResult(const char* prefix, MMRESULT code);

    // The formats carry no guard: written while inactive, used at the next activation.
    core::WaveFormatRecord ACMFormatIn;
    core::WaveFormatRecord ACMFormatOut;

private:
    void OpenStream();
    void CloseStream();
    void ReleaseBuffers();
    void AbandonStream();

    bool active_ = false;
    // From the stored state: false opens the stream non-real-time, so that a
    // driver need not trade quality for speed.
    bool useRealTime_ = false;
    std::unique_ptr<uint8_t[]> sourceBuffer_;
    std::unique_ptr<uint8_t[]> destBuffer_;
    uint32_t inputBufferSize_ = 2048;
    uint32_t outputBufferSize_ = 0;
    HACMSTREAM streamHandle_ = nullptr;
    ACMSTREAMHEADER streamHeader_ = {};
};

#include "ACMConvertor.h"

#include <cstdio>

namespace {

struct ResultText {
    MMRESULT code;
    const char* text;
};

constexpr ResultText kResultTexts[] = {
    {MMSYSERR_INVALHANDLE, " The specified handle is invalid."},
    {MMSYSERR_NODRIVER, " A suitable driver is not available to provide valid format selections."},
    {MMSYSERR_NOMEM, " The system is unable to allocate resources."},
    {MMSYSERR_INVALFLAG, " At least one flag is invalid."},
    {MMSYSERR_INVALPARAM, " At least one parameter is invalid."},
    {ACMERR_NOTPOSSIBLE, " The requested operation cannot be performed."},
    {ACMERR_BUSY, " The conversion stream is already in use."},
    {ACMERR_UNPREPARED, " Cannot perform this action on a header that has not been prepared."},
};

WAVEFORMATEX* AsWaveFormat(core::WaveFormatRecord& record) {
    return reinterpret_cast<WAVEFORMATEX*>(record.bytes.data());
}

// The message CheckACMResult raises for a nonzero code.
std::string ACMResultMessage(const std::string& prefix, MMRESULT code) {
    for (const ResultText& entry : kResultTexts) {
        if (entry.code == code) {
            return prefix + entry.text;
        }
    }
    char text[64];
    std::snprintf(text, sizeof text, " raised an unknown error (code #%d)", static_cast<int>(code));
    return prefix + text;
}

} // namespace

TACMConvertor::TACMConvertor(const core::ConvertorState& stored)
    : ACMFormatIn(stored.formatIn), ACMFormatOut(stored.formatOut), useRealTime_(stored.useRealTime),
      inputBufferSize_(stored.inputBufferSize) {}

TACMConvertor::~TACMConvertor() { Deactivate(); }

void TACMConvertor::Deactivate() noexcept {
    if (!active_) {
        return;
    }
    try {
        CloseStream();
    } catch (const EACMConvertor&) {
        AbandonStream();
    }
}

void TACMConvertor::SetActive(bool value) {
    if (value == active_) {
        return;
    }
    if (value) {
        OpenStream();
    } else {
        CloseStream();
    }
}

void TACMConvertor::SetInputBufferSize(uint32_t value) {
    if (active_) {
        throw EACMConvertor("You cannot change the buffer size while active.");
    }
    inputBufferSize_ = value;
}

// The prefix stays a plain pointer until a failure: the jobs check every
// conversion, and a string made of it each time would cost them an allocation
// a block.
void TACMConvertor::CheckACMResult(const char* prefix, MMRESULT code) {
    if (code != MMSYSERR_NOERROR) {
        throw EACMConvertor(ACMResultMessage(prefix, code));
    }
}

void TACMConvertor::OpenStream() {
    const DWORD flags = useRealTime_ ? 0 : ACM_STREAMOPENF_NONREALTIME;
    CheckACMResult("acmStreamOpen:", acmStreamOpen(&streamHandle_, nullptr, AsWaveFormat(ACMFormatIn),
                                                   AsWaveFormat(ACMFormatOut), nullptr, 0, 0, flags));
    streamHeader_ = {};
    try {
        DWORD outputSize = 0;
        CheckACMResult("acmStreamSize:",
                       acmStreamSize(streamHandle_, inputBufferSize_, &outputSize, ACM_STREAMSIZEF_SOURCE));
        outputBufferSize_ = outputSize;
        sourceBuffer_ = std::make_unique<uint8_t[]>(inputBufferSize_);
        destBuffer_ = std::make_unique<uint8_t[]>(outputBufferSize_);
        streamHeader_.cbStruct = sizeof streamHeader_;
        streamHeader_.pbSrc = sourceBuffer_.get();
        streamHeader_.cbSrcLength = inputBufferSize_;
        streamHeader_.pbDst = destBuffer_.get();
        streamHeader_.cbDstLength = outputBufferSize_;
        CheckACMResult("acmStreamPrepareHeader:", acmStreamPrepareHeader(streamHandle_, &streamHeader_, 0));
    } catch (...) {
        // Nothing of a half-opened stream may leak, also when a buffer finds no memory.
        AbandonStream();
        throw;
    }
    active_ = true;
}

void TACMConvertor::CloseStream() {
    // The platform unprepares only a header that carries its prepared lengths,
    // and the jobs set the source length per block.
    streamHeader_.cbSrcLength = inputBufferSize_;
    streamHeader_.cbDstLength = outputBufferSize_;
    CheckACMResult("acmStreamUnPrepareHeader:", acmStreamUnprepareHeader(streamHandle_, &streamHeader_, 0));
    CheckACMResult("acmStreamClose:", acmStreamClose(streamHandle_, 0));
    streamHandle_ = nullptr;
    ReleaseBuffers();
    active_ = false;
}

void TACMConvertor::ReleaseBuffers() {
    sourceBuffer_.reset();
    destBuffer_.reset();
}

void TACMConvertor::AbandonStream() {
    if (streamHeader_.fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED) {
        acmStreamUnprepareHeader(streamHandle_, &streamHeader_, 0);
    }
    acmStreamClose(streamHandle_, 0);
    streamHandle_ = nullptr;
    ReleaseBuffers();
    active_ = false;
}

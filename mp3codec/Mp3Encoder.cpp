#include "Mp3Encoder.h"

#include "CodecError.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstring>

namespace mp3codec {
namespace {

// Samples per channel handed to LAME in one call; bounds the scratch buffers.
constexpr DWORD kChunkFrames = 65536;
// LAME's documented worst case: one lame_encode_buffer call gives at most
// 1.25 bytes per sample plus 7200, and the final flush at most 7200.
constexpr uint64_t kLameSlack = 7200;

uint64_t MaxEncodeBytes(uint64_t frames) { return (5 * frames + 3) / 4 + kLameSlack; }

} // namespace

void Mp3Encoder::LameCloser::operator()(lame_global_struct* lame) const { lame_close(lame); }

Mp3Encoder::LameHandle Mp3Encoder::NewLame(const Mp3Format& format) {
    LameHandle lame(lame_init());
    if (!lame) {
        return lame;
    }
    lame_global_flags* flags = lame.get();
    lame_set_num_channels(flags, format.channels);
    lame_set_in_samplerate(flags, static_cast<int>(format.sampleRate));
    // Without an explicit output rate LAME resamples low bit rates down.
    lame_set_out_samplerate(flags, static_cast<int>(format.sampleRate));
    lame_set_VBR(flags, vbr_off);
    lame_set_brate(flags, static_cast<int>(format.bitRate / 1000));
    lame_set_mode(flags, format.channels == 1 ? MONO : JOINT_STEREO);
    // An ACM stream cannot go back to its start to fill in a Xing/Info frame.
    lame_set_bWriteVbrTag(flags, 0);
    if (lame_init_params(flags) < 0) {
        lame.reset();
    }
    return lame;
}

std::unique_ptr<Mp3Encoder> Mp3Encoder::Create(const Mp3Format& format) {
    LameHandle lame = NewLame(format);
    if (!lame) {
        return nullptr;
    }
    return std::unique_ptr<Mp3Encoder>(new Mp3Encoder(format, std::move(lame)));
}

Mp3Encoder::Mp3Encoder(const Mp3Format& format, LameHandle lame)
    : format_(format), blockAlign_(format.channels * kPcmBits / 8), lame_(std::move(lame)) {}

void Mp3Encoder::Restart() {
    LameHandle lame = NewLame(format_);
    if (!lame) {
        throw CodecError(MMSYSERR_NOMEM);
    }
    lame_ = std::move(lame);
    encodedSamples_ = false;
    partialSize_ = 0;
}

void Mp3Encoder::Consume(const BYTE* src, DWORD length, OutputSink& out) {
    DWORD offset = 0;
    while (offset < length) {
        const DWORD frames = std::min((partialSize_ + length - offset) / blockAlign_, kChunkFrames);
        if (frames == 0) {
            std::memcpy(partial_ + partialSize_, src + offset, length - offset);
            partialSize_ += length - offset;
            return;
        }
        // Copied, because the caller's buffer need not be aligned for 16-bit access.
        samples_.resize(static_cast<size_t>(frames) * format_.channels);
        auto* target = reinterpret_cast<BYTE*>(samples_.data());
        std::memcpy(target, partial_, partialSize_);
        const DWORD taken = frames * blockAlign_ - partialSize_;
        std::memcpy(target + partialSize_, src + offset, taken);
        offset += taken;
        partialSize_ = 0;
        EncodeSamples(frames, out);
    }
}

void Mp3Encoder::EncodeSamples(DWORD frames, OutputSink& out) {
    encoded_.resize(MaxEncodeBytes(frames));
    const int size = static_cast<int>(encoded_.size());
    const int written = format_.channels == 2
                            ? lame_encode_buffer_interleaved(lame_.get(), samples_.data(), static_cast<int>(frames),
                                                             encoded_.data(), size)
                            : lame_encode_buffer(lame_.get(), samples_.data(), samples_.data(),
                                                 static_cast<int>(frames), encoded_.data(), size);
    if (written < 0) {
        throw CodecError(written == -2 ? MMSYSERR_NOMEM : MMSYSERR_ERROR);
    }
    out.Put(encoded_.data(), static_cast<size_t>(written));
    encodedSamples_ = true;
}

void Mp3Encoder::Finish(OutputSink& out) {
    // Half a sample frame at the very end cannot be encoded.
    partialSize_ = 0;
    if (!encodedSamples_) {
        return;
    }
    encoded_.resize(kLameSlack);
    const int written = lame_encode_flush(lame_.get(), encoded_.data(), static_cast<int>(encoded_.size()));
    if (written < 0) {
        throw CodecError(MMSYSERR_ERROR);
    }
    out.Put(encoded_.data(), static_cast<size_t>(written));
}

uint64_t Mp3Encoder::MaxOutputFrames(uint64_t frames) const {
    const uint64_t fullChunks = frames / kChunkFrames;
    const uint64_t rest = frames % kChunkFrames;
    return fullChunks * MaxEncodeBytes(kChunkFrames) + (rest > 0 ? MaxEncodeBytes(rest) : 0) + kLameSlack;
}

bool Mp3Encoder::MaxOutput(DWORD srcLength, DWORD& dstLength) const {
    // A kept part of a frame from the block before may complete one more.
    const uint64_t bound = MaxOutputFrames((static_cast<uint64_t>(srcLength) + blockAlign_ - 1) / blockAlign_);
    if (bound > MAXDWORD) {
        return false;
    }
    dstLength = static_cast<DWORD>(bound);
    return true;
}

bool Mp3Encoder::MaxInput(DWORD dstLength, DWORD& srcLength) const {
    // The bound grows with the frame count, so search for the largest that fits.
    uint64_t low = 0, high = MAXDWORD / blockAlign_;
    while (low < high) {
        const uint64_t middle = (low + high + 1) / 2;
        if (MaxOutputFrames(middle) <= dstLength) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    if (low == 0) {
        return false;
    }
    srcLength = static_cast<DWORD>(low * blockAlign_);
    return true;
}

} // namespace mp3codec

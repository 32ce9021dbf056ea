#include "Mp3Decoder.h"

#include "CodecError.h"
#include "Mp3Formats.h"

#include <mpg123.h>

#include <algorithm>

namespace mp3codec {
namespace {

// The parser holds back the first frame until the next header (4 bytes) has
// arrived, so two frames can become ready that little closer together.
constexpr uint32_t kHeaderBytes = 4;

} // namespace

void Mp3Decoder::HandleDeleter::operator()(mpg123_handle_struct* handle) const { mpg123_delete(handle); }

std::unique_ptr<Mp3Decoder> Mp3Decoder::Create(uint32_t sampleRate, uint16_t channels) {
    int error = MPG123_OK;
    Handle handle(mpg123_new(nullptr, &error));
    if (!handle) {
        return nullptr;
    }
    mpg123_handle* h = handle.get();
    // Junk of any length may stand between frames; the tag's content is of no use here.
    const bool ready = mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_SKIP_ID3V2, 0) == MPG123_OK &&
                       mpg123_param(h, MPG123_RESYNC_LIMIT, -1, 0) == MPG123_OK && mpg123_format_none(h) == MPG123_OK &&
                       mpg123_format(h, static_cast<long>(sampleRate), channels == 1 ? MPG123_MONO : MPG123_STEREO,
                                     MPG123_ENC_SIGNED_16) == MPG123_OK &&
                       mpg123_open_feed(h) == MPG123_OK;
    if (!ready) {
        return nullptr;
    }
    return std::unique_ptr<Mp3Decoder>(new Mp3Decoder(sampleRate, channels, std::move(handle)));
}

Mp3Decoder::Mp3Decoder(uint32_t sampleRate, uint16_t channels, Handle handle)
    : sampleRate_(sampleRate), channels_(channels), handle_(std::move(handle)) {}

void Mp3Decoder::Restart() {
    mpg123_close(handle_.get());
    if (mpg123_open_feed(handle_.get()) != MPG123_OK) {
        throw CodecError(MMSYSERR_NOMEM);
    }
    decodedFrame_ = false;
}

void Mp3Decoder::Consume(const BYTE* src, DWORD length, OutputSink& out) {
    if (mpg123_feed(handle_.get(), src, length) != MPG123_OK) {
        throw CodecError(MMSYSERR_NOMEM);
    }
    DecodeReady(length, out);
}

void Mp3Decoder::DecodeReady(DWORD fedBytes, OutputSink& out) {
    // Every frame takes more than eight bytes of input; the limit only guards
    // against a decoder that stops making progress.
    const DWORD maxFrames = fedBytes / 8 + 64;
    for (DWORD frame = 0; frame < maxFrames; ++frame) {
        off_t number = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        const int result = mpg123_decode_frame(handle_.get(), &number, &audio, &bytes);
        if (result == MPG123_OK) {
            out.Put(audio, bytes);
            decodedFrame_ = true;
        } else if (result == MPG123_NEED_MORE || result == MPG123_DONE) {
            return;
        } else if (result != MPG123_NEW_FORMAT) {
            // The decoder gave up on what it holds; what comes next starts afresh.
            Restart();
            return;
        }
    }
}

// Frames come out as soon as their last byte is in, except the first: the
// library holds it until the next frame's header confirms where the stream
// starts. A stream of one frame gets a header of its own format at the end.
void Mp3Decoder::Finish(OutputSink& out) {
    if (decodedFrame_) {
        return;
    }
    BYTE header[4];
    WriteFrameHeader(sampleRate_, channels_, header);
    if (mpg123_feed(handle_.get(), header, sizeof(header)) == MPG123_OK) {
        DecodeReady(sizeof(header), out);
    }
}

uint64_t Mp3Decoder::OutputPerFrame() const {
    return static_cast<uint64_t>(SamplesPerFrame(sampleRate_)) * channels_ * kPcmBits / 8;
}

uint32_t Mp3Decoder::FrameSpacing() const { return MinFrameBytes(sampleRate_) - kHeaderBytes; }

bool Mp3Decoder::MaxOutput(DWORD srcLength, DWORD& dstLength) const {
    // A frame comes out when its last byte arrives; within srcLength new bytes
    // that happens at most once per shortest frame, plus once for a frame begun
    // in an earlier conversion.
    const uint64_t frames = srcLength == 0 ? 0 : (srcLength - 1) / FrameSpacing() + 1;
    const uint64_t bound = frames * OutputPerFrame();
    if (bound > MAXDWORD) {
        return false;
    }
    dstLength = static_cast<DWORD>(bound);
    return true;
}

bool Mp3Decoder::MaxInput(DWORD dstLength, DWORD& srcLength) const {
    const uint64_t frames = dstLength / OutputPerFrame();
    if (frames == 0) {
        return false;
    }
    srcLength = static_cast<DWORD>(std::min<uint64_t>(frames * FrameSpacing(), MAXDWORD));
    return true;
}

} // namespace mp3codec

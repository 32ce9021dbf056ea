#pragma once
// MPEG layer 3 (MPEG-1, 2 and 2.5) to 16-bit PCM through libmpg123, fed as the
// bytes come: frames may be cut anywhere, junk between them is skipped, and an
// ID3v2 tag is passed over.
#include "CodecStream.h"

#include <memory>

struct mpg123_handle_struct;

namespace mp3codec {

class Mp3Decoder final : public CodecStream {
public:
    // Output at the stream's own rate and channel count; null when libmpg123
    // cannot be set up for them.
    static std::unique_ptr<Mp3Decoder> Create(uint32_t sampleRate, uint16_t channels);

    ConvertResult Convert(const BYTE* src, DWORD srcLength, BYTE* dst, DWORD dstLength, DWORD flags) override;
    bool MaxOutput(DWORD srcLength, DWORD& dstLength) const override;
    bool MaxInput(DWORD dstLength, DWORD& srcLength) const override;
    void Reset() override;

private:
    struct HandleDeleter {
        void operator()(mpg123_handle_struct* handle) const;
    };
    using Handle = std::unique_ptr<mpg123_handle_struct, HandleDeleter>;
    enum class State { Fresh, Decoding, Finished };

    Mp3Decoder(uint32_t sampleRate, uint16_t channels, Handle handle);
    void Restart();
    void DecodeFed(DWORD fedBytes, OutputSink& out);
    uint64_t OutputPerFrame() const;
    uint32_t FrameSpacing() const;

    uint32_t sampleRate_;
    uint16_t channels_;
    Handle handle_;
    State state_ = State::Fresh;
    PendingOutput pending_;
};

} // namespace mp3codec

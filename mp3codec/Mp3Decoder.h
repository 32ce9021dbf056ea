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

    bool MaxOutput(DWORD srcLength, DWORD& dstLength) const override;
    bool MaxInput(DWORD dstLength, DWORD& srcLength) const override;

private:
    struct HandleDeleter {
        void operator()(mpg123_handle_struct* handle) const;
    };
    using Handle = std::unique_ptr<mpg123_handle_struct, HandleDeleter>;

    Mp3Decoder(uint32_t sampleRate, uint16_t channels, Handle handle);
    void Consume(const BYTE* src, DWORD length, OutputSink& out) override;
    void Finish(OutputSink& out) override;
    void Restart() override;
    void DecodeReady(DWORD fedBytes, OutputSink& out);
    uint64_t OutputPerFrame() const;
    uint32_t FrameSpacing() const;

    uint32_t sampleRate_;
    uint16_t channels_;
    Handle handle_;
    bool decodedFrame_ = false;
};

} // namespace mp3codec

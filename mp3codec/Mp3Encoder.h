#pragma once
// PCM to MPEG layer 3 through LAME, constant bit rate, no tags: the stream
// carries bare frames, so nothing has to be patched at its start afterwards.
// Source blocks may end inside a sample frame; the codec keeps that part for the
// next block.
#include "CodecStream.h"
#include "Mp3Formats.h"

#include <memory>
#include <vector>

struct lame_global_struct;

namespace mp3codec {

class Mp3Encoder final : public CodecStream {
public:
    // Null when LAME does not take the format.
    static std::unique_ptr<Mp3Encoder> Create(const Mp3Format& format);

    bool MaxOutput(DWORD srcLength, DWORD& dstLength) const override;
    bool MaxInput(DWORD dstLength, DWORD& srcLength) const override;

private:
    struct LameCloser {
        void operator()(lame_global_struct* lame) const;
    };
    using LameHandle = std::unique_ptr<lame_global_struct, LameCloser>;

    Mp3Encoder(const Mp3Format& format, LameHandle lame);
    static LameHandle NewLame(const Mp3Format& format);
    void Consume(const BYTE* src, DWORD length, OutputSink& out) override;
    void Finish(OutputSink& out) override;
    void Restart() override;
    void EncodeSamples(DWORD frames, OutputSink& out);
    uint64_t MaxOutputFrames(uint64_t frames) const;

    Mp3Format format_;
    DWORD blockAlign_;
    LameHandle lame_;
    // LAME pads even an empty stream with silence, so it is flushed only after samples.
    bool encodedSamples_ = false;
    std::vector<short> samples_;
    // The start of a sample frame whose rest has not arrived yet.
    BYTE partial_[4] = {};
    DWORD partialSize_ = 0;
    std::vector<BYTE> encoded_;
};

} // namespace mp3codec

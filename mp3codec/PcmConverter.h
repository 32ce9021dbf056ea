#pragma once
// PCM to PCM: sampling rate through libsoxr, then channel count and sample
// width. The platform's own converter drops or repeats samples and so mirrors
// every tone around the old Nyquist frequency; this one filters. Sources may
// also be the wide samples of today's recorders: 24- and 32-bit integers and
// 32- and 64-bit floats, which come out as 16 or 8 bits with dither.
#include "CodecStream.h"

#include <mmreg.h>

#include <cstdint>
#include <memory>
#include <vector>

struct soxr;

namespace mp3codec {

struct PcmShape {
    uint32_t sampleRate;
    uint16_t channels;
    uint16_t bits;
    bool isFloat = false;
    DWORD BlockAlign() const { return channels * bits / 8u; }
};

// A PCM record the converter writes: 8 or 16 bits, mono or stereo, 8000 to
// 192000 Hz, with the block and byte rate those imply.
bool IsConvertibleTarget(const WAVEFORMATEX& record, PcmShape& shape);
// A record the converter reads: a target, or 24- or 32-bit integer PCM, or 32-
// or 64-bit IEEE float. Only the fields of a PCMWAVEFORMAT are read.
bool IsConvertibleSource(const WAVEFORMATEX& record, PcmShape& shape);

class PcmConverter final : public CodecStream {
public:
    // Null when libsoxr cannot be set up for the two rates.
    static std::unique_ptr<PcmConverter> Create(const PcmShape& src, const PcmShape& dst);

    bool MaxOutput(DWORD srcLength, DWORD& dstLength) const override;
    bool MaxInput(DWORD dstLength, DWORD& srcLength) const override;

private:
    struct ResamplerDeleter {
        void operator()(soxr* resampler) const;
    };
    using Resampler = std::unique_ptr<soxr, ResamplerDeleter>;

    PcmConverter(const PcmShape& src, const PcmShape& dst, Resampler resampler);
    void Consume(const BYTE* src, DWORD length, OutputSink& out) override;
    void Finish(OutputSink& out) override;
    void Restart() override;
    // Whole source frames to the output.
    void Take(const BYTE* src, size_t frames, OutputSink& out);
    // Source frames to float at the working channel count.
    void Load(const BYTE* src, size_t frames);
    void Resample(const float* in, size_t frames, OutputSink& out);
    // Float frames at the working channel count to destination bytes.
    void Emit(const float* frames, size_t count, OutputSink& out);
    float SourceSample(const BYTE* sample) const;
    int Quantize(float value);
    float TriangularDither();
    uint64_t OutputFrames(uint64_t inputFrames) const;
    uint64_t HeldFrames() const;

    PcmShape src_;
    PcmShape dst_;
    uint16_t workChannels_;
    Resampler resampler_;
    // Less than one source frame, kept until the rest of it comes.
    std::vector<BYTE> partial_;
    std::vector<float> loaded_;
    std::vector<float> resampled_;
    std::vector<BYTE> bytes_;
    // Source and target have the same shape.
    bool copies_;
    // The source is finer than the target, so rounding to it gets dither.
    bool dithered_;
    uint32_t ditherState_;
};

} // namespace mp3codec

#pragma once
// PCM to PCM: sampling rate through libsoxr, then channel count and sample
// width. The platform's own converter drops or repeats samples and so mirrors
// every tone around the old Nyquist frequency; this one filters.
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
    DWORD BlockAlign() const { return channels * bits / 8u; }
};

// A PCM record the converter takes: 8 or 16 bits, mono or stereo, 8000 to
// 48000 Hz, with the block and byte rate those imply.
bool IsConvertiblePcm(const WAVEFORMATEX& record, PcmShape& shape);

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
    // Source frames to float at the working channel count.
    void Load(const BYTE* src, size_t frames);
    void Resample(const float* in, size_t frames, OutputSink& out);
    // Float frames at the working channel count to destination bytes.
    void Emit(const float* frames, size_t count, OutputSink& out);
    int Quantize(float value);
    float TriangularDither();
    uint64_t OutputFrames(uint64_t inputFrames) const;

    PcmShape src_;
    PcmShape dst_;
    uint16_t workChannels_;
    Resampler resampler_;
    // Less than one source frame, kept until the rest of it comes.
    std::vector<BYTE> partial_;
    std::vector<float> loaded_;
    std::vector<float> resampled_;
    std::vector<BYTE> bytes_;
    uint32_t ditherState_;
};

} // namespace mp3codec

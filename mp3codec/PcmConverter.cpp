#include "PcmConverter.h"

#include "CodecError.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace mp3codec {
namespace {

constexpr uint32_t kLowestRate = 8000;
constexpr uint32_t kHighestRate = 192000;
constexpr uint16_t kNarrowBits = 8;
constexpr uint16_t kWideBits = 16;
constexpr uint16_t kRecorderBits = 24;
constexpr uint16_t kLongBits = 32;
constexpr uint16_t kDoubleBits = 64;
constexpr int kNarrowCentre = 128;
constexpr float kNarrowScale = 128.0f;
constexpr float kWideScale = 32768.0f;
constexpr double kLongScale = 2147483648.0;
// Source frames converted at a time, so that a large block needs no large buffers.
constexpr size_t kChunkFrames = 4096;
// Source frames the filter may still hold when the end flag comes, whose output
// its flush gives: a base, and a share that grows with the ratio of a rate
// reduction, since the filter then reaches over that many more source frames
// (libsoxr's high-quality filter holds about 7550 at 48000 to 8000 Hz). The
// sizes answered from it must hold that flush in one call.
constexpr uint64_t kHeldBaseFrames = 4096;
constexpr uint64_t kHeldFramesPerRatio = 2048;
constexpr uint32_t kDitherSeed = 0x9E3779B9u;
// The top 24 bits of the generator make a float in [0, 1) without rounding.
constexpr int kDitherShift = 8;
constexpr float kDitherRange = 16777216.0f;

int Clamp(long value, int low, int high) { return static_cast<int>(std::clamp<long>(value, low, high)); }

bool HasConvertibleLayout(const WAVEFORMATEX& record, const PcmShape& shape) {
    return (shape.channels == 1 || shape.channels == 2) && shape.sampleRate >= kLowestRate &&
           shape.sampleRate <= kHighestRate && record.nBlockAlign == shape.BlockAlign() &&
           record.nAvgBytesPerSec == shape.sampleRate * shape.BlockAlign();
}

} // namespace

bool IsConvertibleTarget(const WAVEFORMATEX& record, PcmShape& shape) {
    shape = {record.nSamplesPerSec, record.nChannels, record.wBitsPerSample};
    return record.wFormatTag == WAVE_FORMAT_PCM && (shape.bits == kNarrowBits || shape.bits == kWideBits) &&
           HasConvertibleLayout(record, shape);
}

bool IsConvertibleSource(const WAVEFORMATEX& record, PcmShape& shape) {
    if (IsConvertibleTarget(record, shape)) {
        return true;
    }
    shape.isFloat = record.wFormatTag == WAVE_FORMAT_IEEE_FLOAT;
    const bool integer = record.wFormatTag == WAVE_FORMAT_PCM &&
                         (shape.bits == kRecorderBits || shape.bits == kLongBits);
    const bool floating = shape.isFloat && (shape.bits == kLongBits || shape.bits == kDoubleBits);
    return (integer || floating) && HasConvertibleLayout(record, shape);
}

void PcmConverter::ResamplerDeleter::operator()(soxr* resampler) const { soxr_delete(resampler); }

std::unique_ptr<PcmConverter> PcmConverter::Create(const PcmShape& src, const PcmShape& dst) {
    Resampler resampler;
    if (src.sampleRate != dst.sampleRate) {
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
        soxr_error_t error = nullptr;
        resampler.reset(soxr_create(src.sampleRate, dst.sampleRate, std::min(src.channels, dst.channels), &error, &io,
                                    &quality, &runtime));
        if (!resampler || error) {
            return nullptr;
        }
    }
    return std::unique_ptr<PcmConverter>(new PcmConverter(src, dst, std::move(resampler)));
}

// Integer samples go through float and back unchanged, so a stream whose two
// shapes are the same copies its bytes: a job that always shapes the encoder's
// input then pays nothing for a source that already has that shape.
PcmConverter::PcmConverter(const PcmShape& src, const PcmShape& dst, Resampler resampler)
    : src_(src), dst_(dst), workChannels_(std::min(src.channels, dst.channels)), resampler_(std::move(resampler)),
      copies_(!src.isFloat && src.bits == dst.bits && src.channels == dst.channels && src.sampleRate == dst.sampleRate),
      dithered_(src.isFloat || src.bits > dst.bits), ditherState_(kDitherSeed) {}

uint64_t PcmConverter::OutputFrames(uint64_t inputFrames) const {
    return (inputFrames * dst_.sampleRate + src_.sampleRate - 1) / src_.sampleRate;
}

uint64_t PcmConverter::HeldFrames() const {
    if (!resampler_) {
        return 0;
    }
    const uint64_t reduction = (src_.sampleRate + dst_.sampleRate - 1) / dst_.sampleRate;
    return kHeldBaseFrames + kHeldFramesPerRatio * reduction;
}

// A frame completed from a partial one of an earlier call fits into the
// rounding up of srcLength; with a rate change, the filter may still hold
// HeldFrames() that the end flag's flush gives out, and the rate ratio rounds.
bool PcmConverter::MaxOutput(DWORD srcLength, DWORD& dstLength) const {
    const DWORD align = src_.BlockAlign();
    const uint64_t frames = (uint64_t{srcLength} + align - 1) / align + HeldFrames();
    const uint64_t bytes = (OutputFrames(frames) + (resampler_ ? 1 : 0)) * dst_.BlockAlign();
    if (bytes > MAXDWORD) {
        return false;
    }
    dstLength = static_cast<DWORD>(bytes);
    return true;
}

bool PcmConverter::MaxInput(DWORD dstLength, DWORD& srcLength) const {
    uint64_t room = dstLength / dst_.BlockAlign();
    if (resampler_) {
        room = room > 1 ? (room - 1) * src_.sampleRate / dst_.sampleRate : 0;
        room = room > HeldFrames() ? room - HeldFrames() : 0;
    }
    if (room == 0) {
        return false;
    }
    srcLength = static_cast<DWORD>(std::min<uint64_t>(room * src_.BlockAlign(), MAXDWORD));
    return true;
}

void PcmConverter::Restart() {
    if (resampler_ && soxr_clear(resampler_.get())) {
        throw CodecError(MMSYSERR_NOMEM);
    }
    partial_.clear();
    ditherState_ = kDitherSeed;
}

void PcmConverter::Consume(const BYTE* src, DWORD length, OutputSink& out) {
    const DWORD align = src_.BlockAlign();
    if (!partial_.empty()) {
        const DWORD missing = std::min<DWORD>(align - static_cast<DWORD>(partial_.size()), length);
        partial_.insert(partial_.end(), src, src + missing);
        src += missing;
        length -= missing;
        if (partial_.size() < align) {
            return;
        }
        Take(partial_.data(), 1, out);
        partial_.clear();
    }
    const size_t frames = length / align;
    Take(src, frames, out);
    partial_.assign(src + frames * align, src + length);
}

void PcmConverter::Take(const BYTE* src, size_t frames, OutputSink& out) {
    if (copies_) {
        out.Put(src, frames * src_.BlockAlign());
        return;
    }
    const DWORD align = src_.BlockAlign();
    for (size_t done = 0; done < frames; done += kChunkFrames) {
        const size_t count = std::min(kChunkFrames, frames - done);
        Load(src + done * align, count);
        Resample(loaded_.data(), count, out);
    }
}

void PcmConverter::Finish(OutputSink& out) {
    // A fraction of a frame at the very end is no sound.
    partial_.clear();
    if (resampler_) {
        Resample(nullptr, 0, out);
    }
}

void PcmConverter::Load(const BYTE* src, size_t frames) {
    loaded_.resize(frames * workChannels_);
    const size_t values = frames * src_.channels;
    const bool averaging = src_.channels > workChannels_;
    for (size_t i = 0; i < values; i += src_.channels) {
        float sum = 0;
        for (size_t c = 0; c < src_.channels; ++c) {
            const float value = SourceSample(src + (i + c) * (src_.bits / 8u));
            if (averaging) {
                sum += value;
            } else {
                loaded_[i + c] = value;
            }
        }
        if (averaging) {
            loaded_[i / src_.channels] = sum / src_.channels;
        }
    }
}

float PcmConverter::SourceSample(const BYTE* sample) const {
    if (src_.isFloat) {
        double value = 0;
        if (src_.bits == kDoubleBits) {
            std::memcpy(&value, sample, sizeof(value));
        } else {
            float single = 0;
            std::memcpy(&single, sample, sizeof(single));
            value = single;
        }
        // Beyond full scale clips when quantized; what is no number is silence.
        return std::isfinite(value) ? static_cast<float>(std::clamp(value, -2.0, 2.0)) : 0.0f;
    }
    switch (src_.bits) {
    case kNarrowBits:
        return (sample[0] - kNarrowCentre) / kNarrowScale;
    case kWideBits:
        return static_cast<int16_t>(sample[0] | sample[1] << 8) / kWideScale;
    default: {
        // 24 bits go to the top of 32, so that both scale alike.
        const size_t bytes = src_.bits / 8u;
        uint32_t raw = 0;
        for (size_t i = 0; i < bytes; ++i) {
            raw |= static_cast<uint32_t>(sample[i]) << (8 * (4 - bytes + i));
        }
        return static_cast<float>(static_cast<int32_t>(raw) / kLongScale);
    }
    }
}

// With no input, flushes the filter: everything it holds comes out.
void PcmConverter::Resample(const float* in, size_t frames, OutputSink& out) {
    if (!resampler_) {
        Emit(in, frames, out);
        return;
    }
    const size_t room = static_cast<size_t>(OutputFrames(kChunkFrames)) + 1;
    resampled_.resize(room * workChannels_);
    size_t taken = 0;
    size_t produced = room;
    while (taken < frames || produced == room) {
        size_t used = 0;
        produced = 0;
        const soxr_error_t error = soxr_process(resampler_.get(), in ? in + taken * workChannels_ : nullptr,
                                                frames - taken, &used, resampled_.data(), room, &produced);
        if (error) {
            throw CodecError(MMSYSERR_ERROR);
        }
        taken += used;
        Emit(resampled_.data(), produced, out);
        if (used == 0 && produced == 0) {
            break;
        }
    }
}

int PcmConverter::Quantize(float value) {
    if (dst_.bits == kWideBits) {
        const float scaled = value * kWideScale + (dithered_ ? TriangularDither() : 0.0f);
        return Clamp(std::lrint(scaled), INT16_MIN, INT16_MAX);
    }
    float scaled = value * kNarrowScale;
    if (dithered_) {
        scaled += TriangularDither();
    }
    return Clamp(std::lrint(scaled), -kNarrowCentre, kNarrowCentre - 1) + kNarrowCentre;
}

// Two uniform values in [-0.5, 0.5) of one least significant bit, summed: the
// rounding error becomes noise that no longer follows the signal.
float PcmConverter::TriangularDither() {
    float sum = 0;
    for (int i = 0; i < 2; ++i) {
        ditherState_ ^= ditherState_ << 13;
        ditherState_ ^= ditherState_ >> 17;
        ditherState_ ^= ditherState_ << 5;
        sum += static_cast<float>(ditherState_ >> kDitherShift) / kDitherRange - 0.5f;
    }
    return sum;
}

void PcmConverter::Emit(const float* frames, size_t count, OutputSink& out) {
    const DWORD align = dst_.BlockAlign();
    bytes_.resize(count * align);
    for (size_t f = 0; f < count; ++f) {
        BYTE* target = bytes_.data() + f * align;
        for (size_t w = 0; w < workChannels_; ++w) {
            const int sample = Quantize(frames[f * workChannels_ + w]);
            // A mono source goes to both channels unchanged.
            for (size_t c = w; c < dst_.channels; c += workChannels_) {
                if (dst_.bits == kWideBits) {
                    target[2 * c] = static_cast<BYTE>(sample & 0xFF);
                    target[2 * c + 1] = static_cast<BYTE>((sample >> 8) & 0xFF);
                } else {
                    target[c] = static_cast<BYTE>(sample);
                }
            }
        }
    }
    out.Put(bytes_.data(), bytes_.size());
}

} // namespace mp3codec

#include "FormatDerivation.h"

namespace core {
namespace {

constexpr uint32_t kBitsPerByte = 8;

// Channels, rate and 16 bits on a PCM record whose tag is left as it is.
void ShapePcm(WaveFormatRecord& pcm, uint16_t channels, uint32_t samplesPerSec) {
    const uint16_t blockAlign = static_cast<uint16_t>(channels * kJobPcmBits / kBitsPerByte);
    pcm.SetChannels(channels);
    pcm.SetSamplesPerSec(samplesPerSec);
    pcm.SetBitsPerSample(kJobPcmBits);
    pcm.SetAvgBytesPerSec(samplesPerSec * blockAlign);
    pcm.SetBlockAlign(blockAlign);
    pcm.SetCbSize(0);
}

bool SameShape(const WaveFormatRecord& a, const WaveFormatRecord& b) {
    return a.Channels() == b.Channels() && a.SamplesPerSec() == b.SamplesPerSec() &&
           a.BitsPerSample() == b.BitsPerSample() && a.AvgBytesPerSec() == b.AvgBytesPerSec();
}

} // namespace

void DeriveMp3DecodeFormats(const Mp3FrameHeader& header, const std::vector<WaveFormatRecord>& mp3Formats,
                            WaveFormatRecord& mpegIn, WaveFormatRecord& pcmOut) {
    ShapePcm(pcmOut, header.channels, header.samplesPerSec);
    mpegIn.SetChannels(header.channels);
    mpegIn.SetSamplesPerSec(header.samplesPerSec);
    mpegIn.SetBitsPerSample(0);
    mpegIn.SetAvgBytesPerSec(header.bitRateKbps * 1000 / kBitsPerByte);
    const WaveFormatRecord derived = mpegIn;
    for (const WaveFormatRecord& listed : mp3Formats) {
        if (SameShape(listed, derived)) {
            mpegIn = listed;
        }
    }
}

void DeriveEncoderInput(const WaveFormatRecord& mpegFormat, WaveFormatRecord& pcmIn) {
    ShapePcm(pcmIn, mpegFormat.Channels(), mpegFormat.SamplesPerSec());
}

} // namespace core

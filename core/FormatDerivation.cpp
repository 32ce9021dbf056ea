#include "FormatDerivation.h"

namespace core {
namespace {

constexpr uint32_t kBitsPerByte = 8;

bool SameShape(const WaveFormatRecord& a, const WaveFormatRecord& b) {
    return a.Channels() == b.Channels() && a.SamplesPerSec() == b.SamplesPerSec() &&
           a.BitsPerSample() == b.BitsPerSample() && a.AvgBytesPerSec() == b.AvgBytesPerSec();
}

} // namespace

void DeriveMp3DecodeFormats(const Mp3FrameHeader& header, const std::vector<WaveFormatRecord>& mp3Formats,
                            WaveFormatRecord& mpegIn, WaveFormatRecord& pcmOut) {
    SetPcmShape(pcmOut, header.channels, header.samplesPerSec, kJobPcmBits, 0);
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
    SetPcmShape(pcmIn, mpegFormat.Channels(), mpegFormat.SamplesPerSec(), kJobPcmBits, 0);
}

bool IsWidePcmSource(const WaveFormatRecord& source) {
    const uint16_t bits = source.BitsPerSample();
    const bool wide = (source.FormatTag() == kWaveFormatPcm && (bits == 24 || bits == 32)) ||
                      (source.FormatTag() == kWaveFormatIeeeFloat && (bits == 32 || bits == 64));
    return wide && (source.Channels() == 1 || source.Channels() == 2);
}

WaveFormatRecord SixteenBitEquivalent(const WaveFormatRecord& source) {
    return MakePcmFormat(source.Channels(), source.SamplesPerSec(), kJobPcmBits, 0);
}

} // namespace core

#include "Mp3Formats.h"

#include "core/MpegRates.h"

#include <algorithm>
#include <iterator>

namespace mp3codec {
namespace {

// Sampling rates of the encoder, in list order: MPEG-1, then MPEG-2.
constexpr uint32_t kEncoderRates[] = {core::kMpeg1SampleRates[0], core::kMpeg1SampleRates[1],
                                      core::kMpeg1SampleRates[2], core::kMpeg2SampleRates[0],
                                      core::kMpeg2SampleRates[1], core::kMpeg2SampleRates[2]};
constexpr const uint32_t (&kMpeg25Rates)[core::kMpegRateSlots] = core::kMpeg25SampleRates;
constexpr uint16_t kChannelOrder[] = {2, 1};
// Layer III's constant bit rates in kbit/s: the header's indexes 1 to 14.
constexpr int kLayer3Row = 2;
constexpr const uint16_t* kMpeg1Kbps = &core::kMpeg1BitRates[kLayer3Row][1];
constexpr const uint16_t* kLowRateKbps = &core::kMpeg2BitRates[kLayer3Row][1];
constexpr size_t kBitRatesPerRate = core::kMpegBitRateSlots - 2;
constexpr size_t kGridSize = std::size(kEncoderRates) * std::size(kChannelOrder) * kBitRatesPerRate;

// The converter preselects the first entry, so it is the everyday format; the
// rest follow in table order without repeating it.
constexpr Mp3Format kFirstFormat = {44100, 2, 128000};

bool IsMpeg1(uint32_t sampleRate) { return sampleRate >= 32000; }

const uint16_t* KbpsTable(uint32_t sampleRate) { return IsMpeg1(sampleRate) ? kMpeg1Kbps : kLowRateKbps; }

Mp3Format GridFormat(size_t position) {
    const size_t rate = position / (std::size(kChannelOrder) * kBitRatesPerRate);
    const size_t channel = position / kBitRatesPerRate % std::size(kChannelOrder);
    const uint32_t sampleRate = kEncoderRates[rate];
    const uint32_t kbps = KbpsTable(sampleRate)[position % kBitRatesPerRate];
    return {sampleRate, kChannelOrder[channel], kbps * 1000};
}

bool SameFormat(const Mp3Format& a, const Mp3Format& b) {
    return a.sampleRate == b.sampleRate && a.channels == b.channels && a.bitRate == b.bitRate;
}

size_t FirstFormatGridPosition() {
    size_t position = 0;
    while (!SameFormat(GridFormat(position), kFirstFormat)) {
        ++position;
    }
    return position;
}

// "44.100" for 44100: the thousands separator of Spanish.
std::wstring SpanishThousands(uint32_t value) {
    std::wstring digits = std::to_wstring(value);
    for (size_t i = digits.size(); i > 3; i -= 3) {
        digits.insert(i - 3, 1, L'.');
    }
    return digits;
}

const wchar_t* ChannelText(uint16_t channels) { return channels == 1 ? L"Mono" : L"Estéreo"; }

bool HasCodecChannels(const WAVEFORMATEX& record) { return record.nChannels == 1 || record.nChannels == 2; }

bool IsEncoderRate(uint32_t sampleRate) {
    return std::find(std::begin(kEncoderRates), std::end(kEncoderRates), sampleRate) != std::end(kEncoderRates);
}

bool IsDecoderRate(uint32_t sampleRate) {
    return IsEncoderRate(sampleRate) ||
           std::find(std::begin(kMpeg25Rates), std::end(kMpeg25Rates), sampleRate) != std::end(kMpeg25Rates);
}

bool IsLegalBitRate(uint32_t sampleRate, uint32_t bitRate) {
    if (!IsDecoderRate(sampleRate) || bitRate % 1000 != 0) {
        return false;
    }
    const uint16_t* table = KbpsTable(sampleRate);
    return std::find(table, table + kBitRatesPerRate, bitRate / 1000) != table + kBitRatesPerRate;
}

} // namespace

size_t Mp3FormatCount() { return kGridSize; }

Mp3Format Mp3FormatAt(size_t index) {
    if (index == 0) {
        return kFirstFormat;
    }
    static const size_t skipped = FirstFormatGridPosition();
    const size_t position = index - 1;
    return GridFormat(position < skipped ? position : position + 1);
}

size_t PcmFormatCount() { return std::size(kEncoderRates) * std::size(kChannelOrder); }

PcmFormat PcmFormatAt(size_t index) {
    return {kEncoderRates[index / std::size(kChannelOrder)], kChannelOrder[index % std::size(kChannelOrder)]};
}

uint32_t EverydayBitRate(uint32_t sampleRate, uint16_t channels) {
    const uint32_t stereo = IsMpeg1(sampleRate) ? 128000 : 64000;
    return channels == 1 ? stereo / 2 : stereo;
}

uint32_t SamplesPerFrame(uint32_t sampleRate) { return IsMpeg1(sampleRate) ? 1152 : 576; }

uint32_t FrameBytes(uint32_t sampleRate, uint32_t bitRate) {
    // A frame holds SamplesPerFrame / 8 bytes per bit/s of rate.
    return SamplesPerFrame(sampleRate) / 8 * bitRate / sampleRate;
}

uint32_t MinFrameBytes(uint32_t sampleRate) { return FrameBytes(sampleRate, KbpsTable(sampleRate)[0] * 1000u); }

void WriteFrameHeader(uint32_t sampleRate, uint16_t channels, BYTE header[4]) {
    // Rates in the order of the sampling-rate index, per MPEG version.
    constexpr const uint32_t* kIndexedRates[] = {core::kMpeg1SampleRates, core::kMpeg2SampleRates,
                                                 core::kMpeg25SampleRates};
    constexpr BYTE kVersionBits[] = {3, 2, 0}; // MPEG-1, MPEG-2, MPEG-2.5
    constexpr BYTE kLayer3 = 1, kNoCrc = 1, kBitRateIndex = 9, kStereo = 0, kMono = 3;
    size_t version = 0, index = 0;
    for (size_t v = 0; v < std::size(kIndexedRates); ++v) {
        for (size_t i = 0; i < core::kMpegRateSlots; ++i) {
            if (kIndexedRates[v][i] == sampleRate) {
                version = v;
                index = i;
            }
        }
    }
    header[0] = 0xFF;
    header[1] = static_cast<BYTE>(0xE0 | kVersionBits[version] << 3 | kLayer3 << 1 | kNoCrc);
    header[2] = static_cast<BYTE>(kBitRateIndex << 4 | index << 2);
    header[3] = static_cast<BYTE>((channels == 1 ? kMono : kStereo) << 6);
}

bool FillMp3Record(const Mp3Format& format, WAVEFORMATEX* record, DWORD cbwfx) {
    if (!record || cbwfx < sizeof(MPEGLAYER3WAVEFORMAT)) {
        return false;
    }
    auto* mp3 = reinterpret_cast<MPEGLAYER3WAVEFORMAT*>(record);
    mp3->wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3->wfx.nChannels = format.channels;
    mp3->wfx.nSamplesPerSec = format.sampleRate;
    mp3->wfx.nAvgBytesPerSec = format.bitRate / 8;
    mp3->wfx.nBlockAlign = 1;
    mp3->wfx.wBitsPerSample = 0;
    mp3->wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3->wID = MPEGLAYER3_ID_MPEG;
    mp3->fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    mp3->nBlockSize = static_cast<WORD>(FrameBytes(format.sampleRate, format.bitRate));
    mp3->nFramesPerBlock = 1;
    mp3->nCodecDelay = kCodecDelay;
    return true;
}

bool FillPcmRecord(const PcmFormat& format, WAVEFORMATEX* record, DWORD cbwfx) {
    if (!record || cbwfx < sizeof(PCMWAVEFORMAT)) {
        return false;
    }
    record->wFormatTag = WAVE_FORMAT_PCM;
    record->nChannels = format.channels;
    record->nSamplesPerSec = format.sampleRate;
    record->nBlockAlign = static_cast<WORD>(format.channels * kPcmBits / 8);
    record->nAvgBytesPerSec = format.sampleRate * record->nBlockAlign;
    record->wBitsPerSample = kPcmBits;
    // Callers may hand a PCMWAVEFORMAT, which ends before cbSize.
    if (cbwfx >= sizeof(WAVEFORMATEX)) {
        record->cbSize = 0;
    }
    return true;
}

std::wstring Describe(const Mp3Format& format) {
    return std::to_wstring(format.bitRate / 1000) + L" kBit/s, " + SpanishThousands(format.sampleRate) + L" Hz, " +
           ChannelText(format.channels);
}

std::wstring Describe(const PcmFormat& format) {
    return SpanishThousands(format.sampleRate) + L" Hz, " + std::to_wstring(kPcmBits) + L" Bit, " +
           ChannelText(format.channels);
}

bool IsPcmRecord(const WAVEFORMATEX& record, bool forEncoder) {
    const uint32_t rate = record.nSamplesPerSec;
    return record.wFormatTag == WAVE_FORMAT_PCM && HasCodecChannels(record) && record.wBitsPerSample == kPcmBits &&
           record.nBlockAlign == record.nChannels * kPcmBits / 8 &&
           (forEncoder ? IsEncoderRate(rate) : IsDecoderRate(rate));
}

bool IsMp3Record(const WAVEFORMATEX& record, bool forEncoder) {
    if (record.wFormatTag != WAVE_FORMAT_MPEGLAYER3 || !HasCodecChannels(record)) {
        return false;
    }
    if (forEncoder) {
        return IsEncoderRate(record.nSamplesPerSec) &&
               IsLegalBitRate(record.nSamplesPerSec, record.nAvgBytesPerSec * 8);
    }
    return IsDecoderRate(record.nSamplesPerSec);
}

bool IsCompleteMp3Record(const WAVEFORMATEX& record, DWORD size) {
    if (size < sizeof(MPEGLAYER3WAVEFORMAT) || record.cbSize < MPEGLAYER3_WFX_EXTRA_BYTES) {
        return false;
    }
    return reinterpret_cast<const MPEGLAYER3WAVEFORMAT&>(record).wID == MPEGLAYER3_ID_MPEG;
}

} // namespace mp3codec

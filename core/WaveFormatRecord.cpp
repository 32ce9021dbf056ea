#include "WaveFormatRecord.h"

#include <algorithm>

namespace core {

void WaveFormatRecord::CopyPrefix(const WaveFormatRecord& from, size_t count) {
    std::copy_n(from.bytes.begin(), std::min(count, kWaveFormatRecordSize), bytes.begin());
}

void SetPcmShape(WaveFormatRecord& record, uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample,
                 uint16_t cbSize) {
    constexpr uint32_t kBitsPerByte = 8;
    const auto blockAlign = static_cast<uint16_t>(uint32_t{channels} * bitsPerSample / kBitsPerByte);
    record.SetChannels(channels);
    record.SetSamplesPerSec(samplesPerSec);
    record.SetAvgBytesPerSec(samplesPerSec * blockAlign);
    record.SetBlockAlign(blockAlign);
    record.SetBitsPerSample(bitsPerSample);
    record.SetCbSize(cbSize);
}

WaveFormatRecord MakePcmFormat(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t cbSize) {
    WaveFormatRecord record;
    record.SetFormatTag(kWaveFormatPcm);
    SetPcmShape(record, channels, samplesPerSec, bitsPerSample, cbSize);
    return record;
}

} // namespace core

#include "WaveFormatRecord.h"

#include <algorithm>

namespace core {

void WaveFormatRecord::CopyPrefix(const WaveFormatRecord& from, size_t count) {
    std::copy_n(from.bytes.begin(), std::min(count, kWaveFormatRecordSize), bytes.begin());
}

WaveFormatRecord MakePcmFormat(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t cbSize) {
    WaveFormatRecord record;
    const uint16_t blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
    record.SetFormatTag(kWaveFormatPcm);
    record.SetChannels(channels);
    record.SetSamplesPerSec(samplesPerSec);
    record.SetAvgBytesPerSec(samplesPerSec * blockAlign);
    record.SetBlockAlign(blockAlign);
    record.SetBitsPerSample(bitsPerSample);
    record.SetCbSize(cbSize);
    return record;
}

} // namespace core

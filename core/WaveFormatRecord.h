#pragma once
// The 129-byte wave format record that the converter passes to and from the
// Audio Compression Manager: a WAVEFORMATEX (18 bytes, little-endian) followed
// by codec-specific bytes. Kept as raw bytes so that the layout is exactly the
// platform's on every build, with named accessors for the fields.
#include "LittleEndian.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace core {

constexpr size_t kWaveFormatRecordSize = 129;
constexpr size_t kWaveFormatExSize = 18; // WAVEFORMATEX up to and including cbSize
constexpr size_t kWavFmtChunkSize = 16;  // what a WAV "fmt " chunk carries
constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint16_t kWaveFormatIeeeFloat = 3;
constexpr uint16_t kWaveFormatExtensible = 0xFFFE;
constexpr uint16_t kWaveFormatMpegLayer3 = 85;

struct WaveFormatRecord {
    alignas(8) std::array<uint8_t, kWaveFormatRecordSize> bytes{};

    uint16_t FormatTag() const { return Get16(0); }
    uint16_t Channels() const { return Get16(2); }
    uint32_t SamplesPerSec() const { return Get32(4); }
    uint32_t AvgBytesPerSec() const { return Get32(8); }
    uint16_t BlockAlign() const { return Get16(12); }
    uint16_t BitsPerSample() const { return Get16(14); }
    uint16_t CbSize() const { return Get16(16); }

    void SetFormatTag(uint16_t v) { Set16(0, v); }
    void SetChannels(uint16_t v) { Set16(2, v); }
    void SetSamplesPerSec(uint32_t v) { Set32(4, v); }
    void SetAvgBytesPerSec(uint32_t v) { Set32(8, v); }
    void SetBlockAlign(uint16_t v) { Set16(12, v); }
    void SetBitsPerSample(uint16_t v) { Set16(14, v); }
    void SetCbSize(uint16_t v) { Set16(16, v); }

    // Copies the first count bytes of another record (18 for the WAVEFORMATEX part).
    void CopyPrefix(const WaveFormatRecord& from, size_t count);
    bool operator==(const WaveFormatRecord& other) const { return bytes == other.bytes; }

    uint16_t Get16(size_t at) const { return GetLe16(&bytes[at]); }
    uint32_t Get32(size_t at) const { return GetLe32(&bytes[at]); }
    void Set16(size_t at, uint16_t v) { PutLe16(&bytes[at], v); }
    void Set32(size_t at, uint32_t v) { PutLe32(&bytes[at], v); }
};

// Gives a record the PCM shape: channels, rate, sample size and cbSize, with
// block align and byte rate following from them. The format tag is left alone.
void SetPcmShape(WaveFormatRecord& record, uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample,
                 uint16_t cbSize);

// A PCM record with the given shape; block align and byte rate follow from it.
WaveFormatRecord MakePcmFormat(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t cbSize);

} // namespace core

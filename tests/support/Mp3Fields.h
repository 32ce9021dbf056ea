#pragma once
// The MPEGLAYER3WAVEFORMAT fields behind the WAVEFORMATEX part of a format
// record. The converter hands them on as the codecs fill them in; tests read
// and write them to see that nothing on the way changes them.
#include "core/WaveFormatRecord.h"

#include <cstdint>

namespace testsupport {

constexpr uint16_t kMpegLayer3ExtraSize = 12;

inline uint16_t Mp3Id(const core::WaveFormatRecord& r) { return r.Get16(18); }
inline uint32_t Mp3Flags(const core::WaveFormatRecord& r) { return r.Get32(20); }
inline uint16_t Mp3BlockSize(const core::WaveFormatRecord& r) { return r.Get16(24); }
inline uint16_t Mp3FramesPerBlock(const core::WaveFormatRecord& r) { return r.Get16(26); }
inline uint16_t Mp3CodecDelay(const core::WaveFormatRecord& r) { return r.Get16(28); }

inline void SetMp3Id(core::WaveFormatRecord& r, uint16_t v) { r.Set16(18, v); }
inline void SetMp3Flags(core::WaveFormatRecord& r, uint32_t v) { r.Set32(20, v); }
inline void SetMp3BlockSize(core::WaveFormatRecord& r, uint16_t v) { r.Set16(24, v); }
inline void SetMp3FramesPerBlock(core::WaveFormatRecord& r, uint16_t v) { r.Set16(26, v); }
inline void SetMp3CodecDelay(core::WaveFormatRecord& r, uint16_t v) { r.Set16(28, v); }

} // namespace testsupport

#pragma once
// The MPEG layer-3 format record that a caller derives from a frame header.
#include "core/WaveFormatRecord.h"

#include <cstdint>

namespace testsupport {

// For machines whose codecs list no MP3 format (Wine's own decoder decodes but
// offers none), and for codecs that must take a record they did not offer: the
// extension carries the values of another codec (its delay, no padding).
core::WaveFormatRecord DerivedMp3Record(uint32_t rate, uint16_t channels, uint32_t bitsPerSecond);

} // namespace testsupport

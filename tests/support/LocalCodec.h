#pragma once
// The tree's own codec as a driver of the calling process only, added by the
// converter's own codec::LocalCodec: no installation, and it comes before every
// driver of the machine; and the MP3 record a caller hands a codec.
#include "core/WaveFormatRecord.h"

#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <string>

namespace testsupport {

// Adds the sonarmp3.acm at this Windows path, once per process; it stays for
// the process's life. Null when it could not be added.
HACMDRIVERID AddLocalCodec(const std::wstring& path);

// The MPEG layer-3 record that a caller derives from a frame header, for
// machines whose codecs list no MP3 format (Wine's own decoder decodes but
// offers none), and for codecs that must take a record they did not offer: the
// extension carries the values of another codec (its delay, no padding).
core::WaveFormatRecord DerivedMp3Record(uint32_t rate, uint16_t channels, uint32_t bitsPerSecond);

} // namespace testsupport

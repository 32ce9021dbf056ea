#pragma once
// Reads the little-endian fields of files that tests check. Kept apart from
// core's own readers, so that a fault there cannot hide itself in a test.
#include <cstdint>

namespace testsupport {

inline uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

} // namespace testsupport

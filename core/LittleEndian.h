#pragma once
// Little-endian 16- and 32-bit values in byte buffers, as the wave formats and
// the stored settings lay them out whatever the host's own byte order.
#include <cstdint>

namespace core {

inline uint16_t GetLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t GetLe32(const uint8_t* p) { return GetLe16(p) | static_cast<uint32_t>(GetLe16(p + 2)) << 16; }

inline void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutLe32(uint8_t* p, uint32_t v) {
    PutLe16(p, static_cast<uint16_t>(v));
    PutLe16(p + 2, static_cast<uint16_t>(v >> 16));
}

} // namespace core

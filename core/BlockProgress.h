#pragma once
// The arithmetic of the jobs' block loops: how much a block holds and how far
// a run has come.
#include <cstdint>

namespace core {

constexpr uint32_t kFramesPerBlock = 1024;

// Source bytes per block: 1024 sample frames (1024 bytes for MPEG data, whose
// block align is 1). A block align of 0 counts as 1 so that a block is never empty.
uint32_t BlockBufferSize(uint16_t blockAlign);

// Percentage of total done when remaining bytes are still to be read, in
// 64 bits so that no file size overflows; 100 when remaining exceeds total.
int BlockPercent(int64_t total, int64_t remaining);

} // namespace core

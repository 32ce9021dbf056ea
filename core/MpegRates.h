#pragma once
// The MPEG audio bit-rate and sampling-rate tables, by the index a frame
// header carries. Header-only, so that the codec DLL can use them without
// linking the core library.
#include <cstdint>

namespace core {

constexpr int kMpegBitRateSlots = 16; // index 0 (free format) and 15 are reserved
constexpr int kMpegRateSlots = 3;     // index 3 is reserved

// kbit/s by layer (I, II, III) and bit-rate index.
constexpr uint16_t kMpeg1BitRates[3][kMpegBitRateSlots] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
};
// MPEG-2 and MPEG-2.5 share these.
constexpr uint16_t kMpeg2BitRates[3][kMpegBitRateSlots] = {
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};

// Hz by sampling-rate index.
constexpr uint32_t kMpeg1SampleRates[kMpegRateSlots] = {44100, 48000, 32000};
constexpr uint32_t kMpeg2SampleRates[kMpegRateSlots] = {22050, 24000, 16000};
constexpr uint32_t kMpeg25SampleRates[kMpegRateSlots] = {11025, 12000, 8000};

} // namespace core

#pragma once
// How loud one frequency is in raw PCM: what the resampling tests, the window
// tests and the benchmark measure aliases, images and kept tones with.
#include <cstddef>
#include <cstdint>

namespace testsupport {

// The peak of one frequency in dB of full scale, taken from the middle second of
// the first channel of little-endian PCM (8 or 16 bits) through a Blackman
// window. Frames must hold at least one second.
double ToneLevel(const uint8_t* pcm, size_t frames, unsigned rate, unsigned channels, unsigned bits, double frequency);

} // namespace testsupport

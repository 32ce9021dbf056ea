#include "ToneLevel.h"

#include <cmath>

namespace testsupport {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Keeps the level of a silent frequency finite: far below any 16-bit noise.
constexpr double kSilence = 1e-12;

} // namespace

double ToneLevel(const uint8_t* pcm, size_t frames, unsigned rate, unsigned channels, unsigned bits, double frequency) {
    const size_t align = channels * bits / 8;
    const size_t first = frames / 2 - rate / 2;
    double re = 0, im = 0, weights = 0;
    for (size_t n = 0; n < rate; ++n) {
        const uint8_t* frame = pcm + (first + n) * align;
        const double value = bits == 16 ? static_cast<int16_t>(frame[0] | frame[1] << 8) / 32768.0
                                        : (frame[0] - 128) / 128.0;
        const double phase = 2 * kPi * static_cast<double>(n) / static_cast<double>(rate - 1);
        const double window = 0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2 * phase);
        const double angle = 2 * kPi * frequency * static_cast<double>(n) / static_cast<double>(rate);
        re += value * window * std::cos(angle);
        im -= value * window * std::sin(angle);
        weights += window;
    }
    return 20 * std::log10(2 * std::hypot(re, im) / weights + kSilence);
}

} // namespace testsupport

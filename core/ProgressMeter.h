#pragma once
// The arithmetic behind the converter's progress display: the whole-run figure
// of the total bar and the filled part of the status-bar meter.
#include <cstdint>

namespace core {

struct MeterRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Percentage of the whole run while file filesDone + 1 of fileCount is at
// percent: clamped to 0..100, rounded to 15 significant digits, then truncated.
int32_t TotalPercent(int32_t filesDone, int32_t fileCount, int32_t percent);

// The navy part of the meter panel at percent: from the panel's left edge over
// its full height, the width in 32-bit signed arithmetic truncated toward zero.
MeterRect MeterFill(const MeterRect& panel, int32_t percent);

// Whether percent is a value the progress display takes at all.
inline bool IsProgressPercent(int32_t percent) { return percent >= 0 && percent <= 100; }

} // namespace core

#pragma once
// What a Go button starts: the command's number and the job its page hands
// the progress window.
#include <functional>

namespace ui {

enum class RunMode {
    None = 0,
    Mp3ToWavFile = 1,
    Mp3ToWavBatch = 2,
    WavToMp3File = 3,
    WavToMp3Batch = 4,
    WavToWavFile = 5,
};

// False when the page lacks what a run needs (both file names, a list entry)
// and nothing ran.
using PageJob = std::function<bool()>;

} // namespace ui

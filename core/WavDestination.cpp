#include "WavDestination.h"

#include "WavFile.h"

namespace core {

WavDestination::WavDestination(ByteFile& file, const WaveFormatRecord& format)
    : file_(file), format_(format), dataStart_(kWavHeaderSize) {
    if (!WriteWAVHeader(file_, format_, 0)) {
        throw FileWriteError("WAV header");
    }
}

WavDestination::~WavDestination() {
    if (!finished_) {
        // Best effort on the way out of a failure: the failure is what gets reported.
        WriteWAVHeader(file_, format_, dataStart_);
    }
}

void WavDestination::Finish() {
    finished_ = true;
    if (!WriteWAVHeader(file_, format_, dataStart_)) {
        throw FileWriteError("WAV header");
    }
}

} // namespace core

#include "WavDestination.h"

#include "WavFile.h"

namespace core {

WavDestination::WavDestination(ByteFile& file, const WaveFormatRecord& format) : file_(file), format_(format) {
    if (!WriteWAVHeader(file_, format_, 0)) {
        throw FileWriteError("WAV header");
    }
}

WavDestination::~WavDestination() {
    if (!finished_) {
        // Best effort on the way out of a failure: the failure is what gets reported.
        WriteWAVHeader(file_, format_, kWavHeaderSize, BehindData());
    }
}

bool WavDestination::Write(const void* buffer, size_t count) {
    if (file_.Position() + static_cast<int64_t>(count) > kMaxWavFileLength) {
        return false;
    }
    return file_.Write(buffer, count);
}

void WavDestination::EndSound() {
    const int64_t end = file_.Size();
    if (!file_.Seek(end)) {
        throw FileWriteError("WAV sound end");
    }
    soundEnd_ = end;
    const uint8_t pad = 0;
    if (end % 2 != 0 && !Write(&pad, sizeof pad)) {
        throw FileWriteError("WAV pad byte");
    }
}

void WavDestination::Finish() {
    finished_ = true;
    if (!WriteWAVHeader(file_, format_, kWavHeaderSize, BehindData())) {
        throw FileWriteError("WAV header");
    }
}

} // namespace core

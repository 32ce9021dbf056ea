#pragma once
// A WAV output while a job writes it: the 44-byte header with zero sizes
// first, the sizes of the finished file at Finish, and on any other way out
// (a failure, a cancel that never reached Finish) the sizes of what was written.
#include "ByteFile.h"
#include "WaveFormatRecord.h"

#include <cstdint>

namespace core {

class WavDestination {
public:
    // Writes the first header on the empty file; throws FileWriteError.
    WavDestination(ByteFile& file, const WaveFormatRecord& format);
    ~WavDestination();
    WavDestination(const WavDestination&) = delete;
    WavDestination& operator=(const WavDestination&) = delete;

    // Writes the final header; throws FileWriteError.
    void Finish();

private:
    ByteFile& file_;
    WaveFormatRecord format_;
    bool finished_ = false;
};

} // namespace core

#pragma once
// A WAV output while a job writes it: the 44-byte header with zero sizes
// first, the sizes of the finished file at Finish, and on any other way out
// (a failure, a cancel that never reached Finish) the sizes of what was written.
// The sample data is written through it: a write that would take the file past
// what the 32-bit RIFF sizes describe is refused like one on a full medium, so
// a header never wraps around. After EndSound what is written goes behind the
// data chunk as further chunks, counted in the RIFF size only.
#include "ByteFile.h"
#include "WaveFormatRecord.h"

#include <cstdint>

namespace core {

class WavDestination : public ByteFile {
public:
    // Writes the first header on the empty file; throws FileWriteError.
    WavDestination(ByteFile& file, const WaveFormatRecord& format);
    ~WavDestination() override;
    WavDestination(const WavDestination&) = delete;
    WavDestination& operator=(const WavDestination&) = delete;

    // Closes the sound at the end of the file, with a pad byte when its length
    // is odd, so that whole chunks can follow; throws FileWriteError.
    void EndSound();
    // Writes the final header; throws FileWriteError.
    void Finish();

    size_t Read(void* buffer, size_t count) override { return file_.Read(buffer, count); }
    bool Write(const void* buffer, size_t count) override;
    bool Seek(int64_t position) override { return file_.Seek(position); }
    int64_t Position() const override { return file_.Position(); }
    int64_t Size() const override { return file_.Size(); }

private:
    ByteFile& file_;
    WaveFormatRecord format_;
    bool finished_ = false;
    int64_t soundEnd_ = -1; // file length at EndSound, pad byte excluded
    int64_t BehindData() const { return soundEnd_ < 0 ? 0 : file_.Size() - soundEnd_; }
};

} // namespace core

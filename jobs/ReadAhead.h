#pragma once
// Reads a file from its current position in large pieces, the next piece by a
// thread of the reader's own while the job converts the one before. The file
// is the reader's until it goes away; no more than the given length is read.
#include "core/ByteFile.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

class ReadAhead {
public:
    ReadAhead(core::ByteFile& file, size_t pieceSize, int64_t length);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Exactly count bytes, or throws core::FileReadError.
    void ReadExact(void* buffer, size_t count);

private:
    // The next piece in place of the one taken; false at the end.
    bool TakeNext();
    size_t ReadPiece(uint8_t* piece);
    void ReadAheadOfTheJob();

    core::ByteFile& file_;
    const size_t pieceSize_;
    // Left uninitialised: clearing two fresh megabytes costs a job a millisecond.
    std::unique_ptr<uint8_t[]> taking_;
    size_t begin_ = 0;
    size_t end_ = 0;
    int64_t left_; // not yet read from the file; the thread's while it runs
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    // Guarded by lock_:
    std::unique_ptr<uint8_t[]> next_;
    size_t nextCount_ = 0;
    bool nextReady_ = false; // next_ holds the following piece (empty at the end)
    bool closing_ = false;
    std::thread thread_; // none when the system gives none: then pieces are read in place
};

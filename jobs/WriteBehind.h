#pragma once
// Appends to a file in large pieces that a thread of the writer's own writes
// while the job goes on converting the next one. Handing 100 MB of decoded
// sound to the system's file cache takes a tenth of a decoder's time; done
// beside the conversion it no longer adds to the job's.
//
// The thread touches nothing but the file and the piece handed to it. The
// file is the writer's from the first Write until Flush returns or the writer
// goes away; what is still held then is written, as far as the file takes it.
#include "core/ByteFile.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>

class WriteBehind {
public:
    WriteBehind(core::ByteFile& file, size_t pieceSize);
    ~WriteBehind();
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    // Throws core::FileWriteError once the file has refused a piece: from the
    // Write that hands on the next piece, or from Flush. Nothing is written
    // after a refused piece.
    void Write(const void* data, size_t count);
    // Returns once every byte is in the file; throws core::FileWriteError.
    void Flush();

private:
    void HandOn();
    bool StartThread();
    // Waits, under the lock, until the thread has written the piece it holds;
    // true when the file took every piece so far.
    bool AwaitWritten();
    void WriteHandedOn();

    core::ByteFile& file_;
    const size_t pieceSize_;
    // Left uninitialised: clearing two fresh megabytes costs a job a millisecond.
    std::unique_ptr<uint8_t[]> filling_;
    size_t used_ = 0;
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
    // Guarded by lock_:
    std::unique_ptr<uint8_t[]> handedOn_; // the thread writes handedOnCount_ bytes of it
    size_t handedOnCount_ = 0;
    bool refused_ = false;
    bool closing_ = false;
    std::thread thread_; // started by the first full piece
};

#include "ReadAhead.h"

#include "win/SlimLock.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

ReadAhead::ReadAhead(core::ByteFile& file, size_t pieceSize, int64_t length)
    : file_(file), pieceSize_(pieceSize), taking_(new uint8_t[pieceSize]), left_(std::max<int64_t>(length, 0)),
      next_(new uint8_t[pieceSize]) {
    // The first piece is read here: a new thread takes a millisecond under Wine
    // to start, which the job would otherwise wait out before its first block.
    end_ = ReadPiece(taking_.get());
    if (end_ == 0 || left_ == 0) {
        return;
    }
    try {
        thread_ = std::thread(&ReadAhead::ReadAheadOfTheJob, this);
    } catch (const std::system_error&) {
    }
}

ReadAhead::~ReadAhead() {
    {
        win::ExclusiveLock locked(lock_);
        closing_ = true;
    }
    WakeAllConditionVariable(&changed_);
    if (thread_.joinable()) {
        thread_.join();
    }
}

void ReadAhead::ReadExact(void* buffer, size_t count) {
    auto* to = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        if (begin_ == end_ && !TakeNext()) {
            throw core::FileReadError("short read");
        }
        const size_t take = std::min(count, end_ - begin_);
        std::memcpy(to, taking_.get() + begin_, take);
        begin_ += take;
        to += take;
        count -= take;
    }
}

bool ReadAhead::TakeNext() {
    begin_ = 0;
    if (!thread_.joinable()) {
        end_ = ReadPiece(taking_.get());
        return end_ > 0;
    }
    {
        win::ExclusiveLock locked(lock_);
        while (!nextReady_) {
            SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
        }
        std::swap(taking_, next_);
        end_ = nextCount_;
        nextReady_ = end_ == 0; // the end stays the end
    }
    WakeAllConditionVariable(&changed_);
    return end_ > 0;
}

size_t ReadAhead::ReadPiece(uint8_t* piece) {
    const size_t ask = static_cast<size_t>(std::min<int64_t>(left_, static_cast<int64_t>(pieceSize_)));
    const size_t got = ask > 0 ? file_.Read(piece, ask) : 0;
    left_ -= static_cast<int64_t>(got);
    return got;
}

void ReadAhead::ReadAheadOfTheJob() {
    size_t got = 0;
    do {
        {
            win::ExclusiveLock locked(lock_);
            while (nextReady_ && !closing_) {
                SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
            }
            if (closing_) {
                return;
            }
        }
        // next_ is the thread's alone until it is marked ready.
        got = ReadPiece(next_.get());
        {
            win::ExclusiveLock locked(lock_);
            nextCount_ = got;
            nextReady_ = true;
        }
        WakeAllConditionVariable(&changed_);
    } while (got > 0);
}

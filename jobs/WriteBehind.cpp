#include "WriteBehind.h"

#include "win/SlimLock.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

WriteBehind::WriteBehind(core::ByteFile& file, size_t pieceSize)
    : file_(file), pieceSize_(pieceSize), filling_(new uint8_t[pieceSize]), handedOn_(new uint8_t[pieceSize]) {}

WriteBehind::~WriteBehind() {
    bool intact = true;
    {
        win::ExclusiveLock locked(lock_);
        intact = AwaitWritten();
        closing_ = true;
    }
    WakeAllConditionVariable(&changed_);
    if (thread_.joinable()) {
        thread_.join();
    }
    if (used_ > 0 && intact) {
        file_.Write(filling_.get(), used_);
    }
}

void WriteBehind::Write(const void* data, size_t count) {
    const auto* from = static_cast<const uint8_t*>(data);
    while (count > 0) {
        if (used_ == pieceSize_) {
            HandOn();
        }
        const size_t take = std::min(count, pieceSize_ - used_);
        std::memcpy(filling_.get() + used_, from, take);
        used_ += take;
        from += take;
        count -= take;
    }
}

void WriteBehind::Flush() {
    if (used_ > 0) {
        HandOn();
    }
    win::ExclusiveLock locked(lock_);
    if (!AwaitWritten()) {
        throw core::FileWriteError("write");
    }
}

// Swaps the full piece with the one the thread has finished writing.
void WriteBehind::HandOn() {
    if (!thread_.joinable() && !StartThread()) {
        const size_t held = used_;
        used_ = 0;
        if (!file_.Write(filling_.get(), held)) {
            throw core::FileWriteError("write");
        }
        return;
    }
    {
        win::ExclusiveLock locked(lock_);
        if (!AwaitWritten()) {
            throw core::FileWriteError("write");
        }
        std::swap(filling_, handedOn_);
        handedOnCount_ = used_;
    }
    used_ = 0;
    WakeAllConditionVariable(&changed_);
}

// Without a thread (none to be had) every piece is written in place.
bool WriteBehind::StartThread() {
    try {
        thread_ = std::thread(&WriteBehind::WriteHandedOn, this);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

bool WriteBehind::AwaitWritten() {
    while (handedOnCount_ > 0) {
        SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
    }
    return !refused_;
}

void WriteBehind::WriteHandedOn() {
    while (true) {
        size_t count = 0;
        {
            win::ExclusiveLock locked(lock_);
            while (handedOnCount_ == 0 && !closing_) {
                SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
            }
            count = handedOnCount_;
        }
        if (count == 0) {
            return;
        }
        // The piece is the thread's alone until the count goes back to 0.
        const bool written = file_.Write(handedOn_.get(), count);
        {
            win::ExclusiveLock locked(lock_);
            refused_ = !written;
            handedOnCount_ = 0;
        }
        WakeAllConditionVariable(&changed_);
    }
}

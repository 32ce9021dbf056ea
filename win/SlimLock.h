#pragma once
// A slim reader/writer lock held exclusively for one scope. Under Wine it
// waits on the kernel's futex with no round trip to the server, which a
// mutex or an event makes at every hand-over between two threads.
#include <windows.h>

namespace win {

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

} // namespace win

#pragma once
// Owners for a COM apartment and for COM interface pointers.
#include <objbase.h>

namespace win {

class ScopedComApartment {
public:
    ScopedComApartment() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ScopedComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }
    ScopedComApartment(const ScopedComApartment&) = delete;
    ScopedComApartment& operator=(const ScopedComApartment&) = delete;

    bool Initialized() const { return initialized_; }

private:
    bool initialized_;
};

template <typename Interface>
class ScopedInterface {
public:
    ScopedInterface() = default;
    ~ScopedInterface() {
        if (pointer_) {
            pointer_->Release();
        }
    }
    ScopedInterface(const ScopedInterface&) = delete;
    ScopedInterface& operator=(const ScopedInterface&) = delete;

    void** Receive() { return reinterpret_cast<void**>(&pointer_); }
    Interface* operator->() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

} // namespace win

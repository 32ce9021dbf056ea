#pragma once
// ByteFile over a byte vector, for tests and fuzzing. A write limit simulates
// a full medium.
#include "core/ByteFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace testsupport {

class MemoryByteFile : public core::ByteFile {
public:
    MemoryByteFile() = default;
    explicit MemoryByteFile(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    void LimitSize(size_t limit) { limit_ = limit; }

    size_t Read(void* buffer, size_t count) override {
        if (position_ >= bytes_.size()) {
            return 0;
        }
        size_t n = std::min(count, bytes_.size() - position_);
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return n;
    }
    bool Write(const void* buffer, size_t count) override {
        if (position_ + count > limit_) {
            return false;
        }
        if (position_ + count > bytes_.size()) {
            bytes_.resize(position_ + count);
        }
        std::memcpy(bytes_.data() + position_, buffer, count);
        position_ += count;
        return true;
    }
    bool Seek(int64_t position) override {
        if (position < 0) {
            return false;
        }
        position_ = static_cast<size_t>(position);
        return true;
    }
    int64_t Position() const override { return static_cast<int64_t>(position_); }
    int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }

private:
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
    size_t limit_ = std::numeric_limits<size_t>::max();
};

} // namespace testsupport

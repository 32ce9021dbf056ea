#include "SequentialIO.h"

#include <algorithm>
#include <cstring>

namespace core {

SequentialReader::SequentialReader(ByteFile& file, size_t capacity) : file_(file), buffer_(capacity) {}

void SequentialReader::ReadExact(void* buffer, size_t count) {
    auto* to = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        if (begin_ == end_) {
            if (count >= buffer_.size()) {
                core::ReadExact(file_, to, count);
                return;
            }
            begin_ = 0;
            end_ = file_.Read(buffer_.data(), buffer_.size());
            if (end_ == 0) {
                throw FileReadError("short read");
            }
        }
        const size_t take = std::min(count, end_ - begin_);
        std::memcpy(to, buffer_.data() + begin_, take);
        begin_ += take;
        to += take;
        count -= take;
    }
}

SequentialWriter::SequentialWriter(ByteFile& file, size_t capacity) : file_(file), buffer_(capacity) {}

SequentialWriter::~SequentialWriter() {
    if (used_ > 0) {
        file_.Write(buffer_.data(), used_);
    }
}

void SequentialWriter::Write(const void* data, size_t count) {
    if (used_ + count > buffer_.size()) {
        Flush();
    }
    if (count >= buffer_.size()) {
        if (!file_.Write(data, count)) {
            throw FileWriteError("write");
        }
        return;
    }
    std::memcpy(buffer_.data() + used_, data, count);
    used_ += count;
}

void SequentialWriter::Flush() {
    if (used_ == 0) {
        return;
    }
    const size_t held = used_;
    used_ = 0;
    if (!file_.Write(buffer_.data(), held)) {
        throw FileWriteError("write");
    }
}

} // namespace core

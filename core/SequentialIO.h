#pragma once
// Sequential reading and appending in large pieces, so that a block loop
// with small blocks does not pay a platform call per block.
#include "ByteFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace core {

// Reads ahead from the file's current position; the file's own position is
// then past what the reader has taken.
class SequentialReader {
public:
    SequentialReader(ByteFile& file, size_t capacity);

    // Exactly count bytes, or throws FileReadError.
    void ReadExact(void* buffer, size_t count);

private:
    ByteFile& file_;
    std::vector<uint8_t> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
};

// Appends at the file's current position. What is still held when the writer
// goes away is written then, as far as the file takes it.
class SequentialWriter {
public:
    SequentialWriter(ByteFile& file, size_t capacity);
    ~SequentialWriter();
    SequentialWriter(const SequentialWriter&) = delete;
    SequentialWriter& operator=(const SequentialWriter&) = delete;

    // Throws FileWriteError when the file does not take held data.
    void Write(const void* data, size_t count);
    void Flush();

private:
    ByteFile& file_;
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
};

} // namespace core

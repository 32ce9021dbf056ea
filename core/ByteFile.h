#pragma once
// A plain byte file as the converter's file formats see it: read, write, seek.
// The Windows build backs it with the platform's file calls, the native tests
// with the C library.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace core {

class ByteFile {
public:
    virtual ~ByteFile() = default;
    // Bytes actually read; fewer than asked at the end of the file or on an error.
    virtual size_t Read(void* buffer, size_t count) = 0;
    // True only when every byte was written.
    virtual bool Write(const void* buffer, size_t count) = 0;
    virtual bool Seek(int64_t position) = 0;
    virtual int64_t Position() const = 0;
    virtual int64_t Size() const = 0;
};

// A read or position change that the format reader needed and did not get.
class FileReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A write that the destination did not take (full or vanished medium).
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads exactly count bytes or throws FileReadError.
void ReadExact(ByteFile& file, void* buffer, size_t count);
// Seeks or throws FileReadError.
void SeekOrThrow(ByteFile& file, int64_t position);

} // namespace core

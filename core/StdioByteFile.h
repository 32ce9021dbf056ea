#pragma once
// ByteFile over the C library, for native tools and tests.
#include "ByteFile.h"

#include <cstdio>
#include <string>

namespace core {

class StdioByteFile : public ByteFile {
public:
    // mode as for fopen ("rb", "r+b", "w+b").
    StdioByteFile(const std::string& path, const char* mode);
    ~StdioByteFile() override;
    StdioByteFile(const StdioByteFile&) = delete;
    StdioByteFile& operator=(const StdioByteFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    size_t Read(void* buffer, size_t count) override;
    bool Write(const void* buffer, size_t count) override;
    bool Seek(int64_t position) override;
    int64_t Position() const override;
    int64_t Size() const override;

private:
    std::FILE* file_;
};

} // namespace core

#include "StdioByteFile.h"

namespace core {

StdioByteFile::StdioByteFile(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}

StdioByteFile::~StdioByteFile() {
    if (file_) {
        std::fclose(file_);
    }
}

size_t StdioByteFile::Read(void* buffer, size_t count) { return file_ ? std::fread(buffer, 1, count, file_) : 0; }

bool StdioByteFile::Write(const void* buffer, size_t count) {
    return file_ && std::fwrite(buffer, 1, count, file_) == count && std::fflush(file_) == 0;
}

bool StdioByteFile::Seek(int64_t position) {
    return file_ && position >= 0 && std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
}

int64_t StdioByteFile::Position() const { return file_ ? std::ftell(file_) : -1; }

int64_t StdioByteFile::Size() const {
    if (!file_) {
        return -1;
    }
    long here = std::ftell(file_);
    std::fseek(file_, 0, SEEK_END);
    long size = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return size;
}

} // namespace core

#include "ByteFile.h"

namespace core {

void ReadExact(ByteFile& file, void* buffer, size_t count) {
    if (file.Read(buffer, count) != count) {
        throw FileReadError("short read");
    }
}

void SeekOrThrow(ByteFile& file, int64_t position) {
    if (!file.Seek(position)) {
        throw FileReadError("seek failed");
    }
}

} // namespace core

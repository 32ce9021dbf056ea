// Fuzz target for the WAV reader: any bytes must give a result or a read
// error, never a crash, a hang or an allocation that follows a declared size.
#include "support/MemoryByteFile.h"
#include "core/WavFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testsupport::MemoryByteFile file(std::vector<uint8_t>(data, data + size));
    try {
        const core::WavHeaderInfo info = core::ReadWAVHeader(file);
        if (info.valid) {
            const int64_t end = static_cast<int64_t>(info.dataOffset) + info.dataLength;
            if (info.dataOffset < 20 || info.dataLength < 0 || end > static_cast<int64_t>(size) ||
                file.Position() != 0) {
                std::abort();
            }
        }
    } catch (const core::FileReadError&) {
    }
    return 0;
}

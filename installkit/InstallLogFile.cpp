#include "InstallKit.h"
#include "Scoped.h"
#include "ShellTexts.h"

#include "core/PathText.h"

#include <vector>

core::InstallLogRecord InstallLog;

std::string OwnProgramPath() {
    // No fixed limit: a long installation path must not be cut.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string OwnDirectory() { return core::WithBackslash(core::DirectoryPart(OwnProgramPath())); }

namespace {

// Reads one byte past the size limit at most, so that an oversized log is
// seen as such without being held in memory.
bool ReadBoundedFile(const std::string& path, std::string& bytes) {
    ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return false;
    }
    char block[4096];
    while (bytes.size() <= core::kLogSizeLimit) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), block, sizeof block, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(block, got);
    }
    return false;
}

} // namespace

bool ReadInstallLog() {
    std::string bytes;
    if (!ReadBoundedFile(OwnDirectory() + kLogFileName, bytes)) {
        return false;
    }
    return core::ParseInstallLog(bytes, ThisProgram.logTargetBase(), InstallLog);
}

#include "InstallKit.h"
#include "ShellTexts.h"

#include "win/ProgramPath.h"
#include "win/Scoped.h"

core::InstallLogRecord InstallLog;

namespace {

// Reads one byte past the size limit at most, so that an oversized log is
// seen as such without being held in memory.
bool ReadBoundedFile(const std::string& path, std::string& bytes) {
    win::ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) {
        return false;
    }
    char block[4096];
    while (bytes.size() <= core::kLogSizeLimit) {
        DWORD got = 0;
        if (!ReadFile(file.get(), block, sizeof block, &got, nullptr)) {
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

bool LogLists(const char* fileName) {
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        if (_stricmp(InstallLog.Entries[k].FileName.c_str(), fileName) == 0) {
            return true;
        }
    }
    return false;
}

bool ReadInstallLog() {
    std::string bytes;
    if (!ReadBoundedFile(win::ProgramFolderAnsi() + kLogFileName, bytes)) {
        return false;
    }
    return core::ParseInstallLog(bytes, ThisProgram.logTargetBase(), InstallLog);
}

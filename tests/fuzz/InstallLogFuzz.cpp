// Fuzz target for Install.log: an accepted log names only files that stay in
// the target folder, holds no more entries than its table and no line end or
// end-of-file mark inside a text, and keeps every text within its limit.
#include "FuzzSupport.h"

#include "core/InstallLog.h"

namespace {

const char kTargetBase[] = "C:\\Program Files\\";

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Walks the name as Windows resolves it, where trailing dots and blanks of a
// component are dropped: it leaves the folder when it is rooted, names a drive
// or climbs above its start at any point.
bool StaysInside(const std::string& name) {
    if ((!name.empty() && IsSeparator(name[0])) || (name.size() >= 2 && name[1] == ':')) {
        return false;
    }
    int depth = 0;
    size_t start = 0;
    while (start <= name.size()) {
        size_t stop = start;
        while (stop < name.size() && !IsSeparator(name[stop])) {
            ++stop;
        }
        const std::string component = name.substr(start, stop - start);
        const size_t kept = component.find_last_not_of(". ");
        const bool onlyDots = kept == std::string::npos;
        const size_t dots = std::count(component.begin(), component.end(), '.');
        if (onlyDots && dots >= 2) {
            --depth;
        } else if (!onlyDots) {
            ++depth;
        }
        if (depth < 0) {
            return false;
        }
        start = stop + 1;
    }
    return true;
}

bool CleanText(const std::string& text, size_t limit) {
    return text.size() <= limit && text.find('\r') == std::string::npos && text.find('\x1A') == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    core::InstallLogRecord log;
    if (!core::ParseInstallLog(bytes, kTargetBase, log)) {
        return 0;
    }
    FUZZ_CHECK(log.EntryCount <= core::kLogEntryCapacity);
    FUZZ_CHECK(log.DefaultTarget.rfind(kTargetBase, 0) == 0);
    FUZZ_CHECK(CleanText(log.ProgramName, core::kProgramNameLimit));
    FUZZ_CHECK(StaysInside(log.GroupFile));
    for (size_t k = 0; k < log.EntryCount; ++k) {
        const core::LogEntry& entry = log.Entries[k];
        FUZZ_CHECK(StaysInside(entry.FileName));
        FUZZ_CHECK(CleanText(entry.FileName, core::kLogEntryTextLimit));
        FUZZ_CHECK(CleanText(entry.ItemCaption, core::kLogEntryTextLimit));
    }
    return 0;
}

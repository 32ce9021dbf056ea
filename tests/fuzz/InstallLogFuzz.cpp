// Fuzz target for Install.log: an accepted log names only files that stay in
// the target folder and are no device or stream, holds no more entries than its
// table and no control byte inside a name, and keeps every text within its
// limit; the group name and captions cannot end a Program Manager command, and
// a caption is a plain file name.
#include "FuzzSupport.h"

#include "core/InstallLog.h"

#include <cctype>
#include <cstring>

namespace {

const char kTargetBase[] = "C:\\Program Files\\";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

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

bool HasNone(const std::string& text, const char* forbidden) {
    return std::none_of(text.begin(), text.end(), [&](char c) {
        return static_cast<unsigned char>(c) < 0x20 || std::strchr(forbidden, c) != nullptr;
    });
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 (with the code page 1252 superscripts
// one, two and three as digits too) name devices in any folder, with any extension.
bool NamesDevice(const std::string& name) {
    size_t start = 0;
    while (start <= name.size()) {
        size_t stop = name.find_first_of("\\/", start);
        stop = stop == std::string::npos ? name.size() : stop;
        std::string stem = name.substr(start, std::min(name.find('.', start), stop) - start);
        stem.erase(stem.find_last_not_of(' ') + 1);
        std::transform(stem.begin(), stem.end(), stem.begin(), [](char c) { return std::toupper(c); });
        const bool numbered =
            stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
            ((stem[3] >= '1' && stem[3] <= '9') || stem[3] == '\xB9' || stem[3] == '\xB2' || stem[3] == '\xB3');
        if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || numbered) {
            return true;
        }
        start = stop + 1;
    }
    return false;
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
    FUZZ_CHECK(HasNone(log.GroupFile, ":") && !NamesDevice(log.GroupFile));
    FUZZ_CHECK(HasNone(log.GroupName, "\"[]\\/:*?<>|"));
    for (size_t k = 0; k < log.EntryCount; ++k) {
        const core::LogEntry& entry = log.Entries[k];
        FUZZ_CHECK(StaysInside(entry.FileName));
        FUZZ_CHECK(CleanText(entry.FileName, core::kLogEntryTextLimit));
        FUZZ_CHECK(CleanText(entry.ItemCaption, core::kLogEntryTextLimit));
        FUZZ_CHECK(HasNone(entry.FileName, ":") && !NamesDevice(entry.FileName));
        // A caption names a link file directly in the group's folder.
        FUZZ_CHECK(HasNone(entry.ItemCaption, "\"[]\\/:*?<>|") && !NamesDevice(entry.ItemCaption));
        FUZZ_CHECK(entry.ItemCaption.find_first_not_of(". ") != std::string::npos);
    }
    return 0;
}

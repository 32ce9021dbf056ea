#pragma once
// Install.log, the installation script that setup reads beside itself and that
// uninstall reads from the installed copy. Text is handled as code page 1252
// bytes; the path rules for the names it lists are in PathText.h.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

constexpr size_t kLogEntryCapacity = 100;
constexpr size_t kLogEntryTextLimit = 99;
constexpr size_t kProgramNameLimit = 255;
// A real log is a few hundred bytes; anything beyond this is not read at all.
constexpr size_t kLogSizeLimit = 64 * 1024;

// The caption that means "no Program Manager item for this file".
extern const char* const kNoItemCaption;

struct LogEntry {
    std::string FileName;
    std::string ItemCaption;
};

struct InstallLogRecord {
    std::string ProgramName;
    std::string DefaultTarget;
    std::string GroupName;
    std::string GroupFile;
    uint16_t EntryCount = 0;
    std::array<LogEntry, kLogEntryCapacity> Entries; // entry k is Entries[k - 1]
};

// Validates the bytes of a whole Install.log and fills log. targetBase is what
// comes before line 4 in DefaultTarget: setup's program-files directory with its
// backslash, or nothing for uninstall. False means the log is damaged.
bool ParseInstallLog(const std::string& bytes, const std::string& targetBase, InstallLogRecord& log);

} // namespace core

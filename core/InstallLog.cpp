#include "InstallLog.h"

#include "TextNumbers.h"

#include <cstdint>
#include <optional>

namespace core {

const char* const kNoItemCaption = "NEIN!";

namespace {

const char kSignature[] = "VELTRA (De)Install 2.0 - Install.log";
// Code page 1252: 0xE4 is a-umlaut, 0xF6 o-umlaut.
const char kWarning[] = "Nicht ver\xE4ndern, nicht l\xF6schen!";
const char kEndOfFileMark = '\x1A';

// Line reading as the log's format defines it: a line ends at CR only, and a
// single LF right after the CR belongs to the line end; a lone LF is text.
// Ctrl-Z ends the file wherever it stands; reading past the end yields "".
class LogLines {
public:
    explicit LogLines(const std::string& bytes) : bytes_(bytes), end_(bytes.find(kEndOfFileMark)) {
        if (end_ == std::string::npos) {
            end_ = bytes.size();
        }
    }

    std::string Next() {
        size_t stop = bytes_.find('\r', pos_);
        if (stop == std::string::npos || stop > end_) {
            stop = end_;
        }
        std::string line = bytes_.substr(pos_, stop - pos_);
        pos_ = stop;
        if (pos_ < end_ && bytes_[pos_] == '\r') {
            ++pos_;
            if (pos_ < end_ && bytes_[pos_] == '\n') {
                ++pos_;
            }
        }
        return line;
    }

    bool AtEnd() const { return pos_ >= end_; }

private:
    const std::string& bytes_;
    size_t end_;
    size_t pos_ = 0;
};

// Leading blanks, an optional sign, decimal digits and nothing else; the value
// must fit a 32-bit integer.
bool ParseCount(const std::string& line, int32_t& value) {
    const size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) {
        return false;
    }
    const std::optional<int32_t> parsed = ParseInteger(line.substr(start));
    if (!parsed) {
        return false;
    }
    value = *parsed;
    return true;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Windows drops trailing dots and blanks from a name, so ".. " and "..." can
// act as ".." there; any component made only of dots and blanks with two or
// more dots is refused.
bool IsParentComponent(const std::string& component) {
    size_t dots = 0;
    for (char c : component) {
        if (c == '.') {
            ++dots;
        } else if (c != ' ') {
            return false;
        }
    }
    return dots >= 2;
}

// True when dir + name stays inside dir: not absolute, no drive letter, no
// parent-directory component.
bool StaysInDirectory(const std::string& name) {
    if (!name.empty() && IsSeparator(name[0])) {
        return false;
    }
    if (name.size() >= 2 && name[1] == ':') {
        return false;
    }
    size_t start = 0;
    while (start <= name.size()) {
        size_t stop = start;
        while (stop < name.size() && !IsSeparator(name[stop])) {
            ++stop;
        }
        if (IsParentComponent(name.substr(start, stop - start))) {
            return false;
        }
        start = stop + 1;
    }
    return true;
}

} // namespace

bool ParseInstallLog(const std::string& bytes, const std::string& targetBase, InstallLogRecord& log) {
    LogLines lines(bytes);
    if (lines.Next() != kSignature || lines.Next() != kWarning) {
        return false;
    }
    log.ProgramName = lines.Next().substr(0, kProgramNameLimit);
    log.DefaultTarget = targetBase + lines.Next();
    log.GroupName = lines.Next();
    log.GroupFile = lines.Next();
    int32_t count = 0;
    if (!ParseCount(lines.Next(), count)) {
        return false;
    }
    // Only the low 16 bits of the count are meaningful; a negative count thus
    // becomes a large one.
    log.EntryCount = static_cast<uint16_t>(static_cast<uint32_t>(count) & 0xFFFFu);
    if (log.EntryCount > kLogEntryCapacity || !StaysInDirectory(log.GroupFile)) {
        return false;
    }
    bool valid = true;
    auto readField = [&](std::string& field) {
        std::string line = lines.Next();
        if (lines.AtEnd()) {
            valid = false;
        } else {
            field = line.substr(0, kLogEntryTextLimit);
        }
    };
    for (size_t k = 0; k < log.EntryCount; ++k) {
        LogEntry& entry = log.Entries[k];
        readField(entry.FileName);
        readField(entry.ItemCaption);
        if (!StaysInDirectory(entry.FileName)) {
            valid = false;
        }
    }
    return valid;
}

std::string DirectoryPart(const std::string& path) {
    size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string WithBackslash(const std::string& text) {
    if (!text.empty() && text.back() == '\\') {
        return text;
    }
    return text + '\\';
}

std::string WithoutBackslash(const std::string& text) {
    if (!text.empty() && text.back() == '\\') {
        return text.substr(0, text.size() - 1);
    }
    return text;
}

std::string DriveRoot(const std::string& path) { return path.substr(0, 1) + ":\\"; }

} // namespace core

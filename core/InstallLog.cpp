#include "InstallLog.h"

#include "PathText.h"
#include "TextNumbers.h"

#include <cctype>
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

bool IsSeparator(char c) { return IsPathSeparator(c, SlashRule::EitherSlash); }

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

// A zero byte would cut the name where the ANSI file functions read it, so
// what was checked would not be what is opened.
bool HasControlByte(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return true;
        }
    }
    return false;
}

// The port digits Windows reserves: 1 to 9 and, in code page 1252, the
// superscripts one, two and three.
bool IsPortDigit(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '1' && c <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

// Windows opens a device, not a file, for these names whatever extension
// follows and whatever blanks end them, in any folder.
bool IsDeviceName(const std::string& component) {
    std::string stem = component.substr(0, component.find('.'));
    stem = stem.substr(0, stem.find_last_not_of(' ') + 1);
    for (char& c : stem) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") {
        return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           IsPortDigit(stem[3]);
}

// True when dir + name stays inside dir and names a plain file there: not
// absolute, no colon (drive letters and alternate streams), no parent-directory
// component, no device and no control byte.
bool StaysInDirectory(const std::string& name) {
    if (!name.empty() && IsSeparator(name[0])) {
        return false;
    }
    if (name.find(':') != std::string::npos || HasControlByte(name)) {
        return false;
    }
    size_t start = 0;
    while (start <= name.size()) {
        size_t stop = start;
        while (stop < name.size() && !IsSeparator(name[stop])) {
            ++stop;
        }
        const std::string component = name.substr(start, stop - start);
        if (IsParentComponent(component) || IsDeviceName(component)) {
            return false;
        }
        start = stop + 1;
    }
    return true;
}

// Text that goes between the quotes of a Program Manager command: a quote or
// a square bracket would end the command early and let the rest run as
// commands of their own. Commas and parentheses inside the quotes are safe.
bool FitsInCommand(const std::string& text) {
    return text.find_first_of("\"[]") == std::string::npos && !HasControlByte(text);
}

// The group also names a folder of the Start Menu, directly under Programs.
bool IsGroupName(const std::string& name) {
    if (!FitsInCommand(name) || name.find_first_of("\\/:*?<>|") != std::string::npos) {
        return false;
    }
    return name.find_first_not_of(". ") != std::string::npos;
}

// A caption names a link file in the group's folder: a plain file name there,
// so that no link lands in another folder, on a stream or on a device.
bool IsItemCaption(const std::string& caption) {
    return FitsInCommand(caption) && caption.find_first_of("\\/:*?<>|") == std::string::npos &&
           caption.find_first_not_of(". ") != std::string::npos && !IsDeviceName(caption);
}

} // namespace

bool ParseInstallLog(const std::string& bytes, const std::string& targetBase, InstallLogRecord& log) {
    if (bytes.size() > kLogSizeLimit) {
        return false;
    }
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
    if (log.EntryCount > kLogEntryCapacity || !IsGroupName(log.GroupName) || !StaysInDirectory(log.GroupFile) ||
        !FitsInCommand(log.GroupFile)) {
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
        if (!StaysInDirectory(entry.FileName) || !FitsInCommand(entry.FileName) || !IsItemCaption(entry.ItemCaption)) {
            valid = false;
        }
    }
    return valid;
}

} // namespace core

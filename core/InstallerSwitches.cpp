#include "InstallerSwitches.h"

#include <cctype>

namespace core {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool SameLetters(const std::string& text, size_t pos, const char* word) {
    for (size_t k = 0; word[k] != '\0'; ++k) {
        if (pos + k >= text.size() ||
            std::toupper(static_cast<unsigned char>(text[pos + k])) != static_cast<unsigned char>(word[k])) {
            return false;
        }
    }
    return true;
}

// Where the program's name ends: at its closing quote, or at the first blank.
size_t AfterProgramName(const std::string& line) {
    if (!line.empty() && line[0] == '"') {
        const size_t quote = line.find('"', 1);
        return quote == std::string::npos ? line.size() : quote + 1;
    }
    size_t pos = 0;
    while (pos < line.size() && !IsBlank(line[pos])) {
        ++pos;
    }
    return pos;
}

} // namespace

InstallerSwitches ParseInstallerSwitches(const std::string& commandLine) {
    InstallerSwitches switches;
    size_t pos = AfterProgramName(commandLine);
    while (pos < commandLine.size()) {
        if (IsBlank(commandLine[pos])) {
            ++pos;
            continue;
        }
        if (SameLetters(commandLine, pos, "/D=")) {
            const std::string rest = commandLine.substr(pos + 3);
            switches.folder = rest.substr(0, rest.find_last_not_of(" \t") + 1);
            break;
        }
        size_t end = pos;
        while (end < commandLine.size() && !IsBlank(commandLine[end])) {
            ++end;
        }
        if (end - pos == 2 && SameLetters(commandLine, pos, "/S")) {
            switches.silent = true;
        }
        pos = end;
    }
    return switches;
}

} // namespace core

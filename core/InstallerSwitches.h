#pragma once
// The switches of setup.exe and uninstall.exe: "/S" runs without a window or
// a box, and setup's "/D=folder" names the destination. As installers
// usually read it, "/D=" comes last and takes the rest of the line, blanks
// included and without quotes.
#include <string>

namespace core {

struct InstallerSwitches {
    bool silent = false;
    std::string folder; // empty: the log's destination
};

// commandLine is the whole line, the program's own (possibly quoted) name first.
InstallerSwitches ParseInstallerSwitches(const std::string& commandLine);

} // namespace core

#pragma once
// setup: installs the files that Install.log lists, creates their Program
// Manager group and starts the codec installer.
#include <windows.h>

#include <string>

extern HWND SourceField;
extern HWND TargetField;
extern std::string SourceDir; // ends in "\"
extern std::string TargetDir; // ends in "\"

void RunInstallation();
// "/S [/D=folder]": installs into the folder, or the log's destination, without
// a window or a box; returns the exit code.
int RunSilentInstallation();
// False when the file was not copied; the windowed run says so in a box.
bool CopyOneFile(const std::string& source, const std::string& target);
// The program-files directory with its backslash.
std::string ProgramFilesDirectory();

#pragma once
// The running program's own file and folder, whatever their length.
#include <string>

namespace win {

std::wstring ProgramPath();
// The ANSI form the installer pair works with.
std::string ProgramPathAnsi();

// The program's folder with its final backslash.
std::wstring ProgramFolder();
std::string ProgramFolderAnsi();

} // namespace win

#pragma once
// The converter started with arguments: one job, no main window.
#include <string>
#include <vector>

namespace ui {

// The program's arguments without its own name.
std::vector<std::wstring> ProgramArguments();

// Runs the command the arguments ask for, which is not the window, and returns
// the process's exit code.
int RunCommandLine(const std::vector<std::wstring>& arguments);

} // namespace ui

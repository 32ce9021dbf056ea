#pragma once
// uninstall: deletes what Install.log lists from its own directory and asks
// Program Manager to delete the group.
#include <string>

// The running uninstaller's directory; every deleted path starts with it.
extern std::string OwnDir;

void RunUninstallation();
// "/S": the same removal without a window or a box; returns the exit code.
int RunSilentUninstallation();

#pragma once
// The Program Manager commands of the installer pair, built as one text each
// with nothing between the pieces. Paths go inside the quotes as they are.
#include <string>

namespace core {

// targetDir ends in a backslash; the group file lies in it.
std::string CreateGroupCommand(const std::string& groupName, const std::string& targetDir,
                               const std::string& groupFile);
std::string AddItemCommand(const std::string& targetDir, const std::string& fileName, const std::string& caption);
std::string DeleteGroupCommand(const std::string& groupName);

// Only the exact caption "NEIN!" means no item.
bool WantsItem(const std::string& caption);

} // namespace core

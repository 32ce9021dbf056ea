#include "ProgmanCommands.h"

#include "InstallLog.h"

namespace core {

namespace {

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

} // namespace

std::string CreateGroupCommand(const std::string& groupName, const std::string& targetDir,
                               const std::string& groupFile) {
    return "[CreateGroup(" + Quoted(groupName) + "," + Quoted(targetDir + groupFile) + ")]";
}

std::string AddItemCommand(const std::string& targetDir, const std::string& fileName, const std::string& caption) {
    return "[ADDITEM(" + Quoted(targetDir + fileName) + "," + Quoted(caption) + ")]";
}

std::string DeleteGroupCommand(const std::string& groupName) { return "[DeleteGroup(" + Quoted(groupName) + ")]"; }

bool WantsItem(const std::string& caption) { return caption != kNoItemCaption; }

} // namespace core

#include "Setup.h"

#include "core/PathText.h"
#include "win/Scoped.h"

#include <shlobj.h>

#include <vector>

namespace {

constexpr char kVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kProgramFilesValue[] = "ProgramFilesDir";

std::string RegistryProgramFiles() {
    win::ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return {};
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), kProgramFilesValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
        return {};
    }
    std::vector<char> value(size + 1, '\0');
    if (RegQueryValueExA(key.get(), kProgramFilesValue, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return value.data();
}

} // namespace

std::string ProgramFilesDirectory() {
    std::string directory = RegistryProgramFiles();
    if (directory.empty()) {
        // Without the registry value the platform still knows its folder.
        char folder[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, folder))) {
            directory = folder;
        }
    }
    return directory.empty() ? std::string() : core::WithBackslash(directory);
}

#include "InstallKit.h"
#include "InstallerVersion.h"

#include "core/PathText.h"
#include "core/ProgmanCommands.h"
#include "win/Scoped.h"

#include <vector>

namespace {

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kSharedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr char kUninstaller[] = "uninstall.exe";
constexpr char kLocationValue[] = "InstallLocation";

// The product line names the entry; a backslash in it would make a key
// below, and an empty line would name the list itself.
std::string EntryKey() {
    std::string name = InstallLog.ProgramName.empty() ? InstallLog.GroupName : InstallLog.ProgramName;
    for (char& c : name) {
        if (c == '\\') {
            c = '-';
        }
    }
    return kUninstallKey + name;
}

bool SetText(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool SetNumber(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool ReadText(HKEY key, const char* name, std::string& value) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) {
        return false;
    }
    std::vector<char> text(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
        return false;
    }
    value = text.data();
    return true;
}

// The program the entry shows the icon of: the first listed program with a
// Start Menu item, else the uninstaller.
std::string IconProgram() {
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const core::LogEntry& entry = InstallLog.Entries[k];
        const std::string& name = entry.FileName;
        if (core::WantsItem(entry.ItemCaption) && name.size() > 4 &&
            _stricmp(name.c_str() + name.size() - 4, ".exe") == 0) {
            return name;
        }
    }
    return kUninstaller;
}

// The driver as the codec's installer sees it: the system folder of this
// process (on a 64-bit system a 32-bit process sees its own through the same
// name), so that setup and uninstall name the same value.
std::string SharedCodecPath() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return core::WithBackslash(folder) + kCodecDriverFile;
}

bool ReadCount(HKEY key, const std::string& value, DWORD& count) {
    DWORD type = 0;
    DWORD size = sizeof count;
    return RegQueryValueExA(key, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof count;
}

} // namespace

bool RegisterUninstallEntry(const std::string& targetDir, uint64_t installedBytes) {
    win::ScopedRegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, EntryKey().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const uint64_t kibibytes = (installedBytes + 1023) / 1024;
    const DWORD size = kibibytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(kibibytes);
    return SetText(key.get(), "DisplayName", InstallLog.ProgramName) &&
           SetText(key.get(), "DisplayVersion", INSTALLER_VERSION_TEXT) &&
           SetText(key.get(), "Publisher", INSTALLER_COMPANY) &&
           SetText(key.get(), kLocationValue, core::WithoutBackslash(targetDir)) &&
           SetText(key.get(), "UninstallString", "\"" + targetDir + kUninstaller + "\"") &&
           SetText(key.get(), "DisplayIcon", targetDir + IconProgram()) &&
           SetNumber(key.get(), "EstimatedSize", size) && SetNumber(key.get(), "NoModify", 1) &&
           SetNumber(key.get(), "NoRepair", 1);
}

bool RemoveUninstallEntry() {
    const LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, EntryKey().c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool UninstallEntryNames(const std::string& targetDir) {
    win::ScopedRegKey key;
    std::string location;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, EntryKey().c_str(), 0, KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS &&
           ReadText(key.get(), kLocationValue, location) &&
           _stricmp(location.c_str(), core::WithoutBackslash(targetDir).c_str()) == 0;
}

bool CodecIsCounted() {
    win::ScopedRegKey key;
    DWORD count = 0;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedKey, 0, KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS &&
           ReadCount(key.get(), SharedCodecPath(), count) && count > 0;
}

bool CountSharedCodec() {
    const std::string value = SharedCodecPath();
    win::ScopedRegKey key;
    if (value.empty() ||
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    DWORD count = 0;
    if (!ReadCount(key.get(), value, count)) {
        count = 0;
    }
    return SetNumber(key.get(), value.c_str(), count + 1);
}

bool ReleaseSharedCodec(bool& lastUser) {
    lastUser = false;
    const std::string value = SharedCodecPath();
    win::ScopedRegKey key;
    const LONG opened =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    DWORD count = 0;
    if (opened != ERROR_SUCCESS || value.empty()) {
        return false;
    }
    if (!ReadCount(key.get(), value, count)) {
        return true; // not counted: this installation did not install it
    }
    // A count of zero is left by a removal that failed; it is retried.
    lastUser = count <= 1;
    return SetNumber(key.get(), value.c_str(), lastUser ? 0 : count - 1);
}

bool ForgetSharedCodec() {
    const std::string value = SharedCodecPath();
    win::ScopedRegKey key;
    const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedKey, 0, KEY_SET_VALUE, key.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    const LONG deleted = RegDeleteValueA(key.get(), value.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

#include "SettingsPlace.h"

#include <windows.h>

#include <shlobj.h>

namespace ui {
namespace {

const wchar_t* const kFolders[] = {L"VELTRA", L"Sonaris"};

// The roaming application data folder without a final backslash; empty when
// the platform names none.
std::wstring ApplicationData() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    return folder;
}

bool Present(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The settings folder without a final backslash; empty when the platform names
// no application data folder.
std::wstring SettingsFolder() {
    std::wstring folder = ApplicationData();
    if (!folder.empty()) {
        for (const wchar_t* part : kFolders) {
            folder += L'\\';
            folder += part;
        }
    }
    return folder;
}

} // namespace

std::wstring SettingsFile(const std::wstring& name, const std::wstring& oldFile) {
    const std::wstring folder = SettingsFolder();
    return folder.empty() ? oldFile : folder + L'\\' + name;
}

std::wstring SettingsFileToRead(const std::wstring& name, const std::wstring& oldFile) {
    const std::wstring file = SettingsFile(name, oldFile);
    return Present(file) ? file : oldFile;
}

bool MakeSettingsFolder() {
    const std::wstring folder = SettingsFolder();
    if (folder.empty()) {
        return false;
    }
    const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS;
}

} // namespace ui

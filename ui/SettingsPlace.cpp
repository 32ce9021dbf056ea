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

} // namespace

std::wstring SettingsFile(const std::wstring& name, const std::wstring& oldFile) {
    std::wstring file = ApplicationData();
    if (file.empty()) {
        return oldFile;
    }
    for (const wchar_t* folder : kFolders) {
        file += L'\\';
        file += folder;
    }
    return file + L'\\' + name;
}

std::wstring SettingsFileToRead(const std::wstring& name, const std::wstring& oldFile) {
    const std::wstring file = SettingsFile(name, oldFile);
    return Present(file) ? file : oldFile;
}

bool MakeSettingsFolder() {
    std::wstring folder = ApplicationData();
    if (folder.empty()) {
        return false;
    }
    for (const wchar_t* part : kFolders) {
        folder += L'\\';
        folder += part;
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return true;
}

} // namespace ui

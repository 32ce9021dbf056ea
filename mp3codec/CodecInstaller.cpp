#include "CodecInstaller.h"

#include "CodecIdentity.h"
#include "InstallerResources.h"

#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace mp3codec {
namespace {

struct FileCloser {
    void operator()(HANDLE file) const { CloseHandle(file); }
};
using ScopedFile = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser>;

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using ScopedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct DriverImage {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

bool LoadDriverImage(HINSTANCE instance, DriverImage& image) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDR_L3CODECP_DRIVER), RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    image.data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    image.size = resource ? SizeofResource(instance, resource) : 0;
    return image.data && image.size > 0;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

ScopedFile OpenFile(const std::wstring& path, DWORD access, DWORD creation) {
    HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    return ScopedFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool HoldsImage(const std::wstring& path, const DriverImage& image) {
    ScopedFile file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart != image.size) {
        return false;
    }
    std::vector<BYTE> content(image.size);
    DWORD read = 0;
    return ReadFile(file.get(), content.data(), image.size, &read, nullptr) && read == image.size &&
           std::memcmp(content.data(), image.data, image.size) == 0;
}

DWORD WriteWhole(const std::wstring& path, const DriverImage& image) {
    ScopedFile file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file) {
        return GetLastError();
    }
    DWORD written = 0;
    if (!WriteFile(file.get(), image.data, image.size, &written, nullptr) || written != image.size) {
        const DWORD error = GetLastError();
        return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
    }
    return ERROR_SUCCESS;
}

// Written beside the target first and then moved over it, so that a full disk
// cannot leave a half driver where msacm32 would load it.
DWORD CopyDriver(const std::wstring& path, const DriverImage& image) {
    if (HoldsImage(path, image)) {
        return ERROR_SUCCESS;
    }
    const std::wstring fresh = path + L".new";
    DWORD error = WriteWhole(fresh, image);
    if (error == ERROR_SUCCESS && !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(fresh.c_str());
    }
    return error;
}

DWORD SetText(const wchar_t* keyPath, const wchar_t* name, const std::wstring& value) {
    HKEY raw = nullptr;
    LONG result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (result != ERROR_SUCCESS) {
        return static_cast<DWORD>(result);
    }
    ScopedKey key(raw);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return static_cast<DWORD>(
        RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes));
}

DWORD RegisterDriver() {
    // A fixed value name: a second run overwrites the first registration.
    DWORD error = SetText(kDrivers32Key, kDriverAlias, kDriverFileName);
    if (error == ERROR_SUCCESS) {
        error = SetText(kDriverDescriptionsKey, kDriverFileName, kDriverLongName);
    }
    // msacm32 would otherwise go on with the format tags of an older driver.
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (std::wstring(kDriverCacheKey) + L"\\" + kDriverAlias).c_str());
    return error;
}

} // namespace

InstallOutcome InstallCodec(HINSTANCE instance) {
    InstallOutcome outcome;
    DriverImage image;
    if (!LoadDriverImage(instance, image)) {
        outcome.failedAt = InstallStep::ReadDriver;
        outcome.error = GetLastError();
        return outcome;
    }
    outcome.driverPath = SystemFolder() + L"\\" + kDriverFileName;
    outcome.error = CopyDriver(outcome.driverPath, image);
    if (outcome.error != ERROR_SUCCESS) {
        outcome.failedAt = InstallStep::CopyDriver;
        return outcome;
    }
    outcome.error = RegisterDriver();
    if (outcome.error != ERROR_SUCCESS) {
        outcome.failedAt = InstallStep::Register;
    }
    return outcome;
}

} // namespace mp3codec

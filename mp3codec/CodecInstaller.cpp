#include "CodecInstaller.h"

#include "CodecIdentity.h"
#include "InstallerResources.h"
#include "win/Scoped.h"

#include <cstring>
#include <string>
#include <vector>

namespace mp3codec {
namespace {

// msacm32 reads at most this many characters of a priority entry.
constexpr size_t kPriorityValueLength = 256;

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

win::ScopedFile OpenFile(const std::wstring& path, DWORD access, DWORD creation) {
    return win::ScopedFile(
        CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool HoldsImage(const std::wstring& path, const DriverImage& image) {
    win::ScopedFile file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
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
    win::ScopedFile file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
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

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A loaded DLL cannot be replaced or deleted, but it can be renamed: the old file
// goes to a free name beside it, and Windows deletes it at the next restart.
// The name of the set-aside file, or empty when the rename failed.
std::wstring SetAside(const std::wstring& path) {
    for (unsigned attempt = 1; attempt < 1000; ++attempt) {
        const std::wstring aside = path + L"." + std::to_wstring(attempt) + L".old";
        if (Exists(aside)) {
            continue;
        }
        if (!MoveFileExW(path.c_str(), aside.c_str(), 0)) {
            return std::wstring();
        }
        MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        return aside;
    }
    return std::wstring();
}

bool InUse(DWORD error) { return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION; }

// Written beside the target first and then moved over it, so that a full disk
// cannot leave a half driver where msacm32 would load it.
DWORD CopyDriver(const std::wstring& path, const DriverImage& image, std::wstring& setAside) {
    if (HoldsImage(path, image)) {
        return ERROR_SUCCESS;
    }
    const std::wstring fresh = path + L".new";
    DWORD error = WriteWhole(fresh, image);
    if (error == ERROR_SUCCESS && !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = GetLastError();
        if (InUse(error) && Exists(path)) {
            setAside = SetAside(path);
            if (!setAside.empty()) {
                error = MoveFileExW(fresh.c_str(), path.c_str(), 0) ? ERROR_SUCCESS : GetLastError();
            }
        }
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(fresh.c_str());
    }
    return error;
}

DWORD SetText(const wchar_t* keyPath, const wchar_t* name, const std::wstring& value) {
    win::ScopedRegKey key;
    LONG result =
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
    if (result != ERROR_SUCCESS) {
        return static_cast<DWORD>(result);
    }
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return static_cast<DWORD>(
        RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes));
}

std::wstring PriorityName(size_t position) { return L"Priority" + std::to_wstring(position); }

bool NamesDriver(const std::wstring& entry) {
    const size_t comma = entry.find(L',');
    const size_t start = entry.find_first_not_of(L' ', comma == std::wstring::npos ? 0 : comma + 1);
    return start != std::wstring::npos && lstrcmpiW(entry.c_str() + start, kDriverAlias) == 0;
}

size_t ListedPriorities(HKEY key) {
    size_t count = 0;
    while (RegQueryValueExW(key, PriorityName(count + 1).c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS) {
        ++count;
    }
    return count;
}

// The entries other than the driver's own, in their order; the list ends at the
// first missing number, as msacm32 reads it.
std::vector<std::wstring> OtherPriorities(HKEY key) {
    std::vector<std::wstring> entries;
    for (size_t position = 1;; ++position) {
        wchar_t value[kPriorityValueLength] = {};
        DWORD size = sizeof(value) - sizeof(wchar_t), type = 0;
        if (RegQueryValueExW(key, PriorityName(position).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value),
                             &size) != ERROR_SUCCESS ||
            type != REG_SZ) {
            return entries;
        }
        if (!NamesDriver(value)) {
            entries.push_back(value);
        }
    }
}

// Earlier versions put the driver first in the current user's priorities, so that
// it took PCM streams from the platform's converter; msacm32 gives the driver its
// place by itself, so the entry goes. The others keep their order, renumbered
// without a gap.
DWORD RemoveDriverPriority() {
    win::ScopedRegKey key;
    const LONG opened =
        RegOpenKeyExW(HKEY_CURRENT_USER, kDriverPriorityKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return ERROR_SUCCESS;
    }
    if (opened != ERROR_SUCCESS) {
        return static_cast<DWORD>(opened);
    }
    const size_t listed = ListedPriorities(key.get());
    const std::vector<std::wstring> entries = OtherPriorities(key.get());
    if (entries.size() == listed) {
        return ERROR_SUCCESS;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const auto bytes = static_cast<DWORD>((entries[i].size() + 1) * sizeof(wchar_t));
        const LONG result = RegSetValueExW(key.get(), PriorityName(i + 1).c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(entries[i].c_str()), bytes);
        if (result != ERROR_SUCCESS) {
            return static_cast<DWORD>(result);
        }
    }
    for (size_t position = entries.size() + 1; position <= listed; ++position) {
        const LONG result = RegDeleteValueW(key.get(), PriorityName(position).c_str());
        if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
            return static_cast<DWORD>(result);
        }
    }
    return ERROR_SUCCESS;
}

DWORD DeleteValue(const wchar_t* keyPath, const wchar_t* name) {
    win::ScopedRegKey key;
    LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_SET_VALUE, key.Receive());
    if (result == ERROR_SUCCESS) {
        result = RegDeleteValueW(key.get(), name);
    }
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : static_cast<DWORD>(result);
}

DWORD ForgetCachedTags() {
    const LONG result =
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, (std::wstring(kDriverCacheKey) + L"\\" + kDriverAlias).c_str());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : static_cast<DWORD>(result);
}

DWORD DeleteDriverFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) {
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return ERROR_SUCCESS;
    }
    if (InUse(error) && !SetAside(path).empty()) {
        return ERROR_SUCCESS;
    }
    return error;
}

DWORD RegisterDriver() {
    // A fixed value name: a second run overwrites the first registration.
    DWORD error = SetText(kDrivers32Key, kDriverAlias, kDriverFileName);
    if (error == ERROR_SUCCESS) {
        error = SetText(kDriverDescriptionsKey, kDriverFileName, kDriverLongName);
    }
    // msacm32 would otherwise go on with the format tags of an older driver.
    ForgetCachedTags();
    if (error == ERROR_SUCCESS) {
        error = RemoveDriverPriority();
    }
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
    outcome.error = CopyDriver(outcome.driverPath, image, outcome.setAside);
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

DWORD UninstallCodec() {
    // Every step runs, so that one failure leaves as little behind as it can.
    const std::wstring folder = SystemFolder();
    const DWORD results[] = {
        DeleteValue(kDrivers32Key, kDriverAlias), DeleteValue(kDriverDescriptionsKey, kDriverFileName),
        ForgetCachedTags(), RemoveDriverPriority(),
        folder.empty() ? ERROR_PATH_NOT_FOUND : DeleteDriverFile(folder + L"\\" + kDriverFileName)};
    for (const DWORD result : results) {
        if (result != ERROR_SUCCESS) {
            return result;
        }
    }
    return ERROR_SUCCESS;
}

} // namespace mp3codec

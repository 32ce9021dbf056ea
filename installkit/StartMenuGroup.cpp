#include "InstallKit.h"

#include "core/PathText.h"
#include "core/ProgmanCommands.h"
#include "win/ScopedCom.h"
#include "win/TextConversion.h"

#include <shlobj.h>
#include <shobjidl.h>

namespace {

constexpr wchar_t kLinkExtension[] = L".lnk";

// The group's folder under the user's or the common Programs folder; empty
// when the shell does not know that folder.
std::wstring GroupFolder(bool common) {
    wchar_t programs[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, common ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT,
                                programs))) {
        return {};
    }
    return std::wstring(programs) + L"\\" + win::WidenAnsi(InstallLog.GroupName);
}

std::wstring LinkPath(const std::wstring& folder, const core::LogEntry& entry) {
    return folder + L"\\" + win::WidenAnsi(entry.ItemCaption) + kLinkExtension;
}

bool SaveLink(const std::wstring& linkPath, const std::string& target) {
    win::ScopedInterface<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive()))) {
        return false;
    }
    win::ScopedInterface<IPersistFile> file;
    return SUCCEEDED(link->SetPath(win::WidenAnsi(target).c_str())) &&
           SUCCEEDED(link->SetWorkingDirectory(win::WidenAnsi(core::DirectoryPart(target)).c_str())) &&
           SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Receive())) &&
           SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteLinkIfPresent(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) {
        return true;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

bool CreateStartMenuGroup(const std::string& targetDir, const std::vector<bool>& installed, bool forMachine) {
    win::ScopedComApartment apartment;
    std::wstring folder = GroupFolder(forMachine);
    if (!apartment.Initialized() || folder.empty()) {
        return false;
    }
    if (!CreateDirectoryW(folder.c_str(), nullptr) && !IsDirectory(folder)) {
        return false;
    }
    bool made = true;
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const core::LogEntry& entry = InstallLog.Entries[k];
        if (core::WantsItem(entry.ItemCaption) && k < installed.size() && installed[k]) {
            made = SaveLink(LinkPath(folder, entry), targetDir + entry.FileName) && made;
        }
    }
    return made;
}

unsigned DeleteStartMenuGroup() {
    unsigned left = 0;
    for (bool common : {false, true}) {
        std::wstring folder = GroupFolder(common);
        if (folder.empty()) {
            continue;
        }
        // Only the links the log names go; anything else the user put there
        // keeps the folder alive.
        for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
            const core::LogEntry& entry = InstallLog.Entries[k];
            if (core::WantsItem(entry.ItemCaption) && !DeleteLinkIfPresent(LinkPath(folder, entry))) {
                ++left;
            }
        }
        RemoveDirectoryW(folder.c_str());
    }
    return left;
}

bool DeleteIfPresent(const std::string& path) {
    if (DeleteFileA(path.c_str())) {
        return true;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

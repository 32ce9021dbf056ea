#include "InstallKit.h"

#include "core/PathText.h"
#include "core/ProgmanCommands.h"
#include "win/ScopedCom.h"
#include "win/TextConversion.h"

#include <shlobj.h>
#include <shobjidl.h>

namespace {

constexpr wchar_t kLinkExtension[] = L".lnk";

// The group's folder under the user's Programs folder; empty when the shell
// does not know that folder.
std::wstring GroupFolder() {
    wchar_t programs[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs))) {
        return {};
    }
    return std::wstring(programs) + L"\\" + win::WidenAnsi(InstallLog.GroupName);
}

std::wstring LinkPath(const std::wstring& folder, const core::LogEntry& entry) {
    return folder + L"\\" + win::WidenAnsi(entry.ItemCaption) + kLinkExtension;
}

void SaveLink(const std::wstring& linkPath, const std::string& target) {
    win::ScopedInterface<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive()))) {
        return;
    }
    link->SetPath(win::WidenAnsi(target).c_str());
    link->SetWorkingDirectory(win::WidenAnsi(core::DirectoryPart(target)).c_str());
    win::ScopedInterface<IPersistFile> file;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Receive()))) {
        file->Save(linkPath.c_str(), TRUE);
    }
}

} // namespace

void CreateStartMenuGroup(const std::string& targetDir) {
    win::ScopedComApartment apartment;
    std::wstring folder = GroupFolder();
    if (!apartment.Initialized() || folder.empty()) {
        return;
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const core::LogEntry& entry = InstallLog.Entries[k];
        if (core::WantsItem(entry.ItemCaption)) {
            SaveLink(LinkPath(folder, entry), targetDir + entry.FileName);
        }
    }
}

void DeleteStartMenuGroup() {
    std::wstring folder = GroupFolder();
    if (folder.empty()) {
        return;
    }
    // Only the links the log names go; anything else the user put there keeps
    // the folder alive.
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const core::LogEntry& entry = InstallLog.Entries[k];
        if (core::WantsItem(entry.ItemCaption)) {
            DeleteFileW(LinkPath(folder, entry).c_str());
        }
    }
    RemoveDirectoryW(folder.c_str());
}

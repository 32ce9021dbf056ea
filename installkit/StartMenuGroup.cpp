#include "InstallKit.h"

#include "core/PathText.h"
#include "core/ProgmanCommands.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

constexpr wchar_t kLinkExtension[] = L".lnk";

class ScopedComApartment {
public:
    ScopedComApartment() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ScopedComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }
    ScopedComApartment(const ScopedComApartment&) = delete;
    ScopedComApartment& operator=(const ScopedComApartment&) = delete;

    bool Initialized() const { return initialized_; }

private:
    bool initialized_;
};

template <typename Interface> class ScopedInterface {
public:
    ScopedInterface() = default;
    ~ScopedInterface() {
        if (pointer_) {
            pointer_->Release();
        }
    }
    ScopedInterface(const ScopedInterface&) = delete;
    ScopedInterface& operator=(const ScopedInterface&) = delete;

    void** Receive() { return reinterpret_cast<void**>(&pointer_); }
    Interface* operator->() const { return pointer_; }

private:
    Interface* pointer_ = nullptr;
};

// The log's texts are ANSI, as the Program Manager commands carry them.
std::wstring Widen(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// The group's folder under the user's Programs folder; empty when the shell
// does not know that folder.
std::wstring GroupFolder() {
    wchar_t programs[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs))) {
        return {};
    }
    return std::wstring(programs) + L"\\" + Widen(InstallLog.GroupName);
}

std::wstring LinkPath(const std::wstring& folder, const core::LogEntry& entry) {
    return folder + L"\\" + Widen(entry.ItemCaption) + kLinkExtension;
}

void SaveLink(const std::wstring& linkPath, const std::string& target) {
    ScopedInterface<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive()))) {
        return;
    }
    link->SetPath(Widen(target).c_str());
    link->SetWorkingDirectory(Widen(core::DirectoryPart(target)).c_str());
    ScopedInterface<IPersistFile> file;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Receive()))) {
        file->Save(linkPath.c_str(), TRUE);
    }
}

} // namespace

void CreateStartMenuGroup(const std::string& targetDir) {
    ScopedComApartment apartment;
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

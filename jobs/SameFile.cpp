#include "SameFile.h"

#include "win/FullPath.h"
#include "win/Scoped.h"

#include <windows.h>

namespace {

struct FileIdentity {
    bool known = false;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

// Opened for no access at all, so even a file in use can be asked.
FileIdentity IdentityOf(const std::wstring& name) {
    FileIdentity id;
    win::ScopedFile file(CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (file && GetFileInformationByHandle(file.get(), &info)) {
        id = {true, info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    }
    return id;
}

} // namespace

bool NamesSameFile(const std::wstring& first, const std::wstring& second) {
    const std::wstring a = win::FullPath(first), b = win::FullPath(second);
    if (CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
        CSTR_EQUAL) {
        return true;
    }
    const FileIdentity x = IdentityOf(first), y = IdentityOf(second);
    return x.known && y.known && x.volume == y.volume && x.indexHigh == y.indexHigh && x.indexLow == y.indexLow;
}

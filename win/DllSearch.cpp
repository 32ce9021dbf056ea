#include "win/DllSearch.h"

#include <windows.h>

namespace win {

void LimitDllSearchToSystemFolder() {
    // Looked up rather than imported: Windows 7 without KB2533623 lacks it and
    // would refuse to start the program at all.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories) {
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    // Where the call above is missing, this at least drops the current folder;
    // the program's own folder then stays first, as that system decides.
    SetDllDirectoryW(L"");
}

} // namespace win

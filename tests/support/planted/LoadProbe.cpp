// Loads one DLL by bare name before the DLL search is limited and another one
// after, as Windows' own code loads DLLs: planted beside it, the first shows
// that a planted DLL is seen at all, the second that the limit keeps it out.
#include "win/DllSearch.h"

#include <windows.h>

int wmain() {
    const bool before = LoadLibraryW(L"version.dll") != nullptr;
    win::LimitDllSearchToSystemFolder();
    const bool after = LoadLibraryW(L"dwmapi.dll") != nullptr;
    return before && after ? 0 : 1;
}

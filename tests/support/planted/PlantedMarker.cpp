// A DLL that does nothing but leave "<its own file>.loaded" beside itself when
// a process loads it. Copies planted under the names of other DLLs tell which
// of them a program loaded from where they were planted.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) {
        return TRUE;
    }
    wchar_t path[32768];
    const DWORD suffixLength = 8; // ".loaded" and its terminator
    const DWORD length = GetModuleFileNameW(instance, path, ARRAYSIZE(path) - suffixLength);
    if (length > 0 && length < ARRAYSIZE(path) - suffixLength) {
        lstrcpyW(path + length, L".loaded");
        HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (marker != INVALID_HANDLE_VALUE) {
            CloseHandle(marker);
        }
    }
    return TRUE;
}

#include "LocalCodec.h"

#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

namespace testsupport {

bool AddLocalCodec(const std::wstring& path) {
    static const bool added = [&path] {
        HMODULE module = LoadLibraryW(path.c_str());
        if (!module) {
            return false;
        }
        const FARPROC entry = GetProcAddress(module, "LocalDriverProc");
        HACMDRIVERID id = nullptr;
        return entry && acmDriverAdd(&id, module, reinterpret_cast<LPARAM>(entry), 0,
                                     ACM_DRIVERADDF_FUNCTION | ACM_DRIVERADDF_LOCAL) == MMSYSERR_NOERROR;
    }();
    return added;
}

} // namespace testsupport

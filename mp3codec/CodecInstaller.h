#pragma once
// Installs the driver that l3codecp.exe carries: into the system folder and into
// the Drivers32 list that msacm32 reads. Running it again changes nothing but a
// changed driver file. Removal takes all of it away again.
#include <windows.h>

#include <string>

namespace mp3codec {

enum class InstallStep { Done, ReadDriver, CopyDriver, Register };

struct InstallOutcome {
    InstallStep failedAt = InstallStep::Done;
    DWORD error = ERROR_SUCCESS; // the system's error code of the failed step
    std::wstring driverPath;     // where the driver goes
    // A program had the old driver loaded: it was moved to this name, which
    // Windows deletes at the next restart.
    std::wstring setAside;
};

InstallOutcome InstallCodec(HINSTANCE instance);

// Removes the registration, the driver's priority entries and the file; what
// is already gone counts as removed. A file in use is moved aside and deleted at
// the next restart. ERROR_SUCCESS, or the system's error code of what failed.
DWORD UninstallCodec();

} // namespace mp3codec

#pragma once
// Installs the driver that l3codecp.exe carries: into the system folder, into
// the Drivers32 list that msacm32 reads, and first into the current user's
// driver priorities. Running it again changes nothing but a changed driver file.
#include <windows.h>

#include <string>

namespace mp3codec {

enum class InstallStep { Done, ReadDriver, CopyDriver, Register };

struct InstallOutcome {
    InstallStep failedAt = InstallStep::Done;
    DWORD error = ERROR_SUCCESS; // the system's error code of the failed step
    std::wstring driverPath;     // where the driver goes
};

InstallOutcome InstallCodec(HINSTANCE instance);

} // namespace mp3codec

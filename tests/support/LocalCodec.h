#pragma once
// The tree's own codec as a driver of the calling process only, added by the
// converter's own codec::LocalCodec: no installation, and it comes before every
// driver of the machine.
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <string>

namespace testsupport {

// Adds the sonarmp3.acm at this Windows path, once per process; it stays for
// the process's life. Null when it could not be added.
HACMDRIVERID AddLocalCodec(const std::wstring& path);

} // namespace testsupport

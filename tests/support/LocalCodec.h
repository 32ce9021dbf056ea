#pragma once
// The suite's codec as a driver of the calling process only, as the converter
// adds the one that lies beside it when it starts: no installation, and it
// comes before every driver of the machine.
#include <string>

namespace testsupport {

// Loads the codec DLL at this Windows path and adds its local entry, once per
// process; it stays for the process's life. False when either step fails.
bool AddLocalCodec(const std::wstring& path);

} // namespace testsupport

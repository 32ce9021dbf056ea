#pragma once
// A name made whole against the current folder, as the file functions would
// read it.
#include <string>

namespace win {

// The name itself when the system cannot make it whole.
std::wstring FullPath(const std::wstring& name);

} // namespace win

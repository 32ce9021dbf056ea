#include "FullPath.h"

#include <windows.h>

namespace win {

std::wstring FullPath(const std::wstring& name) {
    const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return name;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
    return length == 0 || length >= needed ? name : full.substr(0, length);
}

} // namespace win

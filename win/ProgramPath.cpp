#include "ProgramPath.h"

#include "core/PathText.h"

#include <windows.h>

#include <vector>

namespace win {

namespace {

// GetModuleFileName cuts a long path silently and says so only by filling the
// whole buffer, so the buffer grows until the path fits with room to spare.
template <typename Char, typename Query>
std::basic_string<Char> GrowingModulePath(Query query) {
    std::vector<Char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::basic_string<Char>(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

std::wstring ProgramPath() {
    return GrowingModulePath<wchar_t>(
        [](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

std::string ProgramPathAnsi() {
    return GrowingModulePath<char>([](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

std::wstring ProgramFolder() { return core::WithBackslash(core::DirectoryPart(ProgramPath())); }

std::string ProgramFolderAnsi() { return core::WithBackslash(core::DirectoryPart(ProgramPathAnsi())); }

} // namespace win

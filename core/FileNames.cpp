#include "FileNames.h"

namespace core {

size_t FileNameStart(const std::wstring& name) {
    size_t separator = name.find_last_of(L"\\:");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

std::wstring FileNamePart(const std::wstring& name) { return name.substr(FileNameStart(name)); }

std::wstring ExtensionOf(const std::wstring& name) {
    size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos || dot < FileNameStart(name)) {
        return std::wstring();
    }
    return name.substr(dot);
}

std::wstring ReplaceExtension(const std::wstring& name, const std::wstring& extension) {
    return name.substr(0, name.size() - ExtensionOf(name).size()) + extension;
}

} // namespace core

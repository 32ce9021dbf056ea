#include "FolderField.h"

#include "FormStorage.h"

namespace core {

std::wstring FolderFieldPath(const std::wstring& text) {
    std::wstring path = TrimProfileValue(text);
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
        path = TrimProfileValue(path.substr(1, path.size() - 2));
    }
    return path;
}

} // namespace core

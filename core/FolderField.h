#pragma once
// The destination folder of a batch page as its folder field holds it. The
// field shows a chosen folder with a blank in double quotes, as the file-name
// edits do, and keeps whatever the user typed around it.
#include <string>

namespace core {

// The folder a field's text names: leading and trailing blanks and control
// characters removed, then one pair of enclosing double quotes. Never split at
// blanks, so a folder that does not exist yet is not cut short.
std::wstring FolderFieldPath(const std::wstring& text);

} // namespace core

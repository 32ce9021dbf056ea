#pragma once
// The converter's one rule for taking a Windows file name apart: the folder
// ends at the last backslash or drive colon, and the extension is the text
// from the last full stop after that point. A full stop in a folder name
// therefore never starts an extension.
#include <string>

namespace core {

// Position of the first character of the file-name part (0 when the name has
// no backslash and no drive colon).
size_t FileNameStart(const std::wstring& name);

// The text after the last backslash or drive colon.
std::wstring FileNamePart(const std::wstring& name);

// The extension with its full stop ("" when the file-name part has no full stop).
std::wstring ExtensionOf(const std::wstring& name);

// name without its extension, followed by extension (which brings its own full stop).
std::wstring ReplaceExtension(const std::wstring& name, const std::wstring& extension);

} // namespace core

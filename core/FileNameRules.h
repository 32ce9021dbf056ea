#pragma once
// How the converter treats the file names the user types or picks: the
// extension swap that proposes a destination, and the way a file-name edit
// hands its text out and takes a name in.
#include "PathText.h"

#include <functional>
#include <string>

namespace core {

// The text from the last full stop behind the last backslash or drive colon,
// the full stop included; empty when the last component has none.
std::wstring ExtensionOf(const std::wstring& name);

// name without its extension, followed by newExtension (".wav", ".mp3").
std::wstring ReplaceExtension(const std::wstring& name, const std::wstring& newExtension);

// The first item of text split like a command line: blanks separate items,
// double quotes group one and are removed.
std::wstring FirstCommandLineItem(const std::wstring& text);

// What a file-name edit hands out: its text when that names an existing file,
// otherwise the first command-line item of it.
std::wstring HandOutFileName(const std::wstring& text, const std::function<bool(const std::wstring&)>& fileExists);

// How a name is shown in a file-name edit: quoted when it holds a blank and is
// not quoted already.
std::wstring EditTextForFileName(const std::wstring& name);

// Whether the program may put name into an edit: an empty name may; otherwise
// its first item must be non-empty and free of < > " [ ] |.
bool IsAcceptableFileName(const std::wstring& name);

} // namespace core

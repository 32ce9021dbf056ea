#pragma once
// Where a path splits into its folder and its last component, and how a folder
// is joined with a name. Every program applies these rules from here.
#include <cstddef>
#include <string>

namespace core {

// Which slashes end a folder. The converter's names split at a backslash only,
// so a "/" the user typed stays part of a file's name there; names in
// Install.log may use either slash between folders, as Windows reads them.
enum class SlashRule { BackslashOnly, EitherSlash };

bool IsPathSeparator(char c, SlashRule rule);
bool IsPathSeparator(wchar_t c, SlashRule rule);

// Where the last component begins: behind the last separator or drive colon;
// 0 when there is none.
size_t LastComponentStart(const std::string& path, SlashRule rule);
size_t LastComponentStart(const std::wstring& path, SlashRule rule);

// The text after the last backslash or drive colon.
std::wstring FileNamePart(const std::wstring& path);

// "C:\a\b.exe" -> "C:\a\" (the separator is kept; empty when there is none);
// either slash ends a folder.
std::string DirectoryPart(const std::string& path);
std::wstring DirectoryPart(const std::wstring& path);

// Appends "\" unless text already ends in one; an empty text becomes "\".
std::string WithBackslash(const std::string& text);
std::wstring WithBackslash(const std::wstring& text);
// Drops one final "\".
std::string WithoutBackslash(const std::string& text);
// "X:\" for a path that starts with X.
std::string DriveRoot(const std::string& path);
// A directory named from a drive's root ("C:\...") or a share ("\\server\share"),
// so that it does not depend on the current drive or folder.
bool IsAbsoluteDirectory(const std::string& path);

} // namespace core

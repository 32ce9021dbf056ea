#pragma once
// Text between the wide API and byte strings: the system's ANSI code page
// (ACM format names, ID3 tags, Install.log texts) and UTF-8.
#include <cstddef>
#include <string>

namespace win {

std::wstring WidenAnsi(const char* text, size_t length);
std::wstring WidenAnsi(const std::string& text);
std::string NarrowAnsi(const std::wstring& text);
std::wstring WidenUtf8(const std::string& text);

} // namespace win

#pragma once
// Whole-file reads and writes and folder removal for the tests under Wine.
#include <string>

namespace testsupport {

// The file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
// Replaces the file's content; false when it cannot be written.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// A file or folder of that name is there.
bool Exists(const std::wstring& path);
// A folder and everything in it, read-only files included.
void RemoveTree(const std::wstring& path);

} // namespace testsupport

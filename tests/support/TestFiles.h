#pragma once
// Whole-file reads and writes and folder removal for the tests under Wine.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
std::vector<uint8_t> ReadByteVector(const std::wstring& path);
// Replaces the file's content; false when it cannot be written.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
// The file's size in bytes; -1 when it is not there.
int64_t FileSize(const std::wstring& path);
// A file or folder of that name is there.
bool Exists(const std::wstring& path);
// A folder and everything in it, read-only files included.
void RemoveTree(const std::wstring& path);

} // namespace testsupport

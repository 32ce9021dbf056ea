#pragma once
// Whether two file names lead to the same file, so that a job never empties
// its own source.
#include <string>

// True when the full paths agree, letter case ignored, or when both names open
// and the platform reports the same volume and file index (links, short names).
bool NamesSameFile(const std::wstring& first, const std::wstring& second);

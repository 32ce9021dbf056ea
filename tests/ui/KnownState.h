#pragma once
// What the converter keeps between runs lies outside the test's work folder:
// the profile in the prefix's Windows directory and settings.dat beside the
// program. Every test starts without either and leaves them as it found them.
#include "support/TestFiles.h"

#include <optional>
#include <string>
#include <vector>

namespace uitest {

// C:\windows\converter.INI
std::wstring ProfilePath();
// settings.dat beside converter.exe
std::wstring SettingsDatPath();

// The file's bytes, or nothing when there is no readable file (an empty file
// is not a missing one).
std::optional<std::string> ReadWholeFile(const std::wstring& file);
using testsupport::WriteBytes;

// Takes a file (or a folder a test put in its place) away for the scope and
// puts back what was there before.
class KeptAside {
public:
    explicit KeptAside(std::wstring file);
    ~KeptAside();
    KeptAside(const KeptAside&) = delete;
    KeptAside& operator=(const KeptAside&) = delete;

private:
    std::wstring file_;
    std::optional<std::string> before_;
};

} // namespace uitest

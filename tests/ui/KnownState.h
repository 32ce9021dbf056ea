#pragma once
// What the converter keeps between runs lies outside the test's work folder:
// the profile and settings.dat in the user's settings folder, and their old
// places (the profile in the prefix's Windows directory, settings.dat beside
// the program), which are still read. Every test starts without any of them
// and leaves them as it found them.
#include "support/TestFiles.h"

#include <optional>
#include <string>
#include <vector>

namespace uitest {

// %APPDATA%\VELTRA\Sonaris, made when missing
std::wstring SettingsFolder();
// converter.INI and settings.dat there
std::wstring ProfilePath();
std::wstring SettingsDatPath();
// C:\windows\converter.INI
std::wstring OldProfilePath();
// settings.dat beside converter.exe
std::wstring OldSettingsDatPath();

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

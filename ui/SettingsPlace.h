#pragma once
// Where the converter keeps what it stores between runs: the user's roaming
// application data, VELTRA\Sonaris, which every user may write. Earlier
// versions kept settings.dat beside the program and the profile in the
// Windows directory, both closed to a standard user; a file that is not in
// the new place yet is read from its old one, so no choice is lost, and only
// the new place is ever written.
#include <string>

namespace ui {

// The file in the new place; the old file itself when the platform names no
// application data folder.
std::wstring SettingsFile(const std::wstring& name, const std::wstring& oldFile);

// The file to read: the new place once anything is there (a folder in its
// place too, so that its failure shows), else the old file.
std::wstring SettingsFileToRead(const std::wstring& name, const std::wstring& oldFile);

// Makes the new place's folders when they are missing; false when they cannot
// be made.
bool MakeSettingsFolder();

} // namespace ui

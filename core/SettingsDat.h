#pragma once
// settings.dat in the program's folder: the selected entry of the three format
// lists as three little-endian signed 32-bit integers, and nothing else.
// Entries are positions, so they hold only while the installed codecs stay.
#include "ByteFile.h"

#include <array>
#include <cstdint>

namespace core {

constexpr wchar_t kSettingsFileName[] = L"settings.dat";

// mp3format (WAV to MP3, single file), mp3format2 (batch), WAVFormats (WAV to WAV).
constexpr size_t kStoredFormatLists = 3;
using FormatSelections = std::array<int32_t, kStoredFormatLists>;

// The entry each list is to show, given the lists' entry counts: the stored
// position when all four of its bytes are there and it fits the list, entry 0
// otherwise. Bytes after the twelfth are ignored.
FormatSelections ReadSettingsDat(ByteFile& file, const FormatSelections& entryCounts);

// The three positions (-1 for a list without a selection). False when a write failed.
bool WriteSettingsDat(ByteFile& file, const FormatSelections& selected);

} // namespace core

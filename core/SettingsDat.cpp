#include "SettingsDat.h"

namespace core {

namespace {

constexpr size_t kIndexBytes = 4;

} // namespace

FormatSelections ReadSettingsDat(ByteFile& file, const FormatSelections& entryCounts) {
    FormatSelections selected{};
    for (size_t list = 0; list < kStoredFormatLists; ++list) {
        uint8_t bytes[kIndexBytes];
        if (file.Read(bytes, kIndexBytes) != kIndexBytes) {
            break;
        }
        uint32_t raw = 0;
        for (size_t i = 0; i < kIndexBytes; ++i) {
            raw |= static_cast<uint32_t>(bytes[i]) << (8 * i);
        }
        const auto stored = static_cast<int32_t>(raw);
        if (stored >= 0 && stored < entryCounts[list]) {
            selected[list] = stored;
        }
    }
    return selected;
}

bool WriteSettingsDat(ByteFile& file, const FormatSelections& selected) {
    uint8_t bytes[kStoredFormatLists * kIndexBytes];
    for (size_t list = 0; list < kStoredFormatLists; ++list) {
        const auto raw = static_cast<uint32_t>(selected[list]);
        for (size_t i = 0; i < kIndexBytes; ++i) {
            bytes[list * kIndexBytes + i] = static_cast<uint8_t>(raw >> (8 * i));
        }
    }
    return file.Write(bytes, sizeof bytes);
}

} // namespace core

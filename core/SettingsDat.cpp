#include "SettingsDat.h"

#include "LittleEndian.h"

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
        const auto stored = static_cast<int32_t>(GetLe32(bytes));
        if (stored >= 0 && stored < entryCounts[list]) {
            selected[list] = stored;
        }
    }
    return selected;
}

bool WriteSettingsDat(ByteFile& file, const FormatSelections& selected) {
    uint8_t bytes[kStoredFormatLists * kIndexBytes];
    for (size_t list = 0; list < kStoredFormatLists; ++list) {
        PutLe32(bytes + list * kIndexBytes, static_cast<uint32_t>(selected[list]));
    }
    return file.Write(bytes, sizeof bytes);
}

} // namespace core

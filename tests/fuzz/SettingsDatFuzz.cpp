// Fuzz target for settings.dat: every list gets an entry it has (or entry 0),
// a stored position that fits is kept, and what is written reads back.
#include "FuzzSupport.h"

#include "core/LittleEndian.h"
#include "support/MemoryByteFile.h"
#include "core/SettingsDat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    core::FormatSelections counts{};
    for (int32_t& count : counts) {
        count = input.Byte();
    }
    const std::string stored = input.Rest();
    testsupport::MemoryByteFile file(std::vector<uint8_t>(stored.begin(), stored.end()));
    const core::FormatSelections selected = core::ReadSettingsDat(file, counts);
    for (size_t list = 0; list < core::kStoredFormatLists; ++list) {
        FUZZ_CHECK(selected[list] == 0 || (selected[list] > 0 && selected[list] < counts[list]));
        if (stored.size() >= 4 * (list + 1)) {
            const auto value = static_cast<int32_t>(core::GetLe32(reinterpret_cast<const uint8_t*>(&stored[4 * list])));
            FUZZ_CHECK(selected[list] == ((value >= 0 && value < counts[list]) ? value : 0));
        }
    }
    testsupport::MemoryByteFile written;
    FUZZ_CHECK(core::WriteSettingsDat(written, selected));
    FUZZ_CHECK(written.Bytes().size() == 4 * core::kStoredFormatLists);
    written.Seek(0);
    FUZZ_CHECK(core::ReadSettingsDat(written, counts) == selected);
    return 0;
}

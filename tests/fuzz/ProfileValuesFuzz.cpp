// Fuzz target for the main window's profile values. Any stored section must
// restore a usable window (a placement only with a real rectangle, trimmed
// texts, never both buttons of a radio pair), integers must read as decimal
// text means them, and whatever is saved must restore as it was.
#include "FuzzSupport.h"

#include "../core/MemoryProfile.h"
#include "core/TextNumbers.h"

#include <cerrno>
#include <climits>

namespace {

bool SameControls(const core::StoredControls& a, const core::StoredControls& b) {
    return a.cdqual2check == b.cdqual2check && a.cdqualcheck == b.cdqualcheck && a.QuellCheck == b.QuellCheck &&
           a.OwnfolderCheck == b.OwnfolderCheck && a.OutDirectoryEd == b.OutDirectoryEd &&
           a.OutDirectory2Ed == b.OutDirectory2Ed && a.OwnFolderCheck2 == b.OwnFolderCheck2 &&
           a.QuellCheck2 == b.QuellCheck2;
}

bool SameRect(const core::FormRect& a, const core::FormRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void CheckInteger(const std::string& text) {
    const bool decimal = text.find_first_not_of("0123456789", text[0] == '+' || text[0] == '-') == std::string::npos &&
                         text.find_first_of("0123456789") != std::string::npos;
    const auto parsed = core::ParseInteger(text);
    if (!decimal) {
        FUZZ_CHECK(!parsed);
        return;
    }
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    const bool fits = errno != ERANGE && value >= INT32_MIN && value <= INT32_MAX;
    FUZZ_CHECK(fits ? parsed && *parsed == value : !parsed);
}

void CheckRestored(const core::RestoredForm& form) {
    const core::StoredControls& c = form.controls;
    FUZZ_CHECK(!form.applyPlacement || form.placement.normalPosition.left < form.placement.normalPosition.right);
    FUZZ_CHECK(!(c.QuellCheck && c.OwnfolderCheck) && !(c.QuellCheck2 && c.OwnFolderCheck2));
    FUZZ_CHECK(core::TrimProfileValue(c.OutDirectoryEd) == c.OutDirectoryEd);
    FUZZ_CHECK(core::TrimProfileValue(c.OutDirectory2Ed) == c.OutDirectory2Ed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    core::ScreenInfo screen{input.Int32(), input.Int32(), input.Int32()};
    core::FormPlacement current;
    current.showCmd = input.Byte();
    current.normalPosition = {input.Int32(), input.Int32(), input.Int32(), input.Int32()};
    coretest::MemoryProfile stored;
    while (!input.Empty()) {
        const std::string key = input.Text('=');
        const std::string value = input.Text('\n');
        if (!value.empty()) {
            CheckInteger(value);
        }
        stored.values[fuzz::Widen(key)] = fuzz::Widen(value);
    }
    const auto restored = core::RestoreForm(stored, current, screen, core::StoredControls{});
    if (!restored) {
        return 0;
    }
    CheckRestored(*restored);

    coretest::MemoryProfile saved;
    FUZZ_CHECK(core::SaveForm(saved, restored->placement, false, screen, restored->controls, true));
    const auto again = core::RestoreForm(saved, current, screen, core::StoredControls{});
    FUZZ_CHECK(again && SameControls(again->controls, restored->controls));
    const core::FormPlacement& placement = restored->placement;
    FUZZ_CHECK(again->placement.flags == placement.flags);
    FUZZ_CHECK(SameRect(again->placement.normalPosition, placement.normalPosition));
    FUZZ_CHECK(again->applyPlacement == (placement.normalPosition.left < placement.normalPosition.right));
    FUZZ_CHECK((again->state == core::StoredWindowState::Maximized) == (placement.showCmd == 3));
    return 0;
}

// Fuzz target for the persisted component state: any text either parses or is
// refused with StateFormatError, and every state it yields is written and
// parsed back unchanged, format records included.
#include "FuzzSupport.h"

#include "core/ConvertorState.h"
#include "support/ConvertorStateText.h"

namespace {

bool SameState(const core::ConvertorState& a, const core::ConvertorState& b) {
    return a.inputBufferSize == b.inputBufferSize && a.useRealTime == b.useRealTime && a.formatIn == b.formatIn &&
           a.formatOut == b.formatOut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::map<std::string, core::ConvertorState> states;
    try {
        states = core::ParseConvertorStates(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const core::StateFormatError&) {
        return 0;
    }
    for (const auto& [name, state] : states) {
        const auto again = core::ParseConvertorStates(testsupport::WriteConvertorState(name, state));
        FUZZ_CHECK(again.size() == 1 && again.begin()->first == name);
        FUZZ_CHECK(SameState(again.begin()->second, state));
    }
    return 0;
}

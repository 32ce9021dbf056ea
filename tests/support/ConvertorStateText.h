#pragma once
// Writes the stored text of one conversion-stream component, in the form the
// converter's design-time data carries, so that tests and the fuzz target can
// hand the parser states of their own making.
#include "core/ConvertorState.h"

#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

inline void AppendBlob(std::ostringstream& out, const char* name, const core::WaveFormatRecord& record) {
    static const char kHex[] = "0123456789ABCDEF";
    std::vector<uint8_t> blob = {core::kWaveFormatRecordSize, 0, 0, 0};
    blob.insert(blob.end(), record.bytes.begin(), record.bytes.end());
    out << "  " << name << " = {";
    for (size_t i = 0; i < blob.size(); ++i) {
        if (i % 32 == 0) {
            out << "\n    ";
        }
        out << kHex[blob[i] >> 4] << kHex[blob[i] & 15];
    }
    out << "}\n";
}

inline std::string WriteConvertorState(const std::string& name, const core::ConvertorState& state) {
    std::ostringstream out;
    out << "object " << name << ": TACMConvertor\n";
    out << "  InputBufferSize = " << state.inputBufferSize << "\n";
    if (state.useRealTime) {
        out << "  UseRealTime = True\n";
    }
    AppendBlob(out, "ACMFormatIn", state.formatIn);
    AppendBlob(out, "ACMFormatOut", state.formatOut);
    out << "end\n";
    return out.str();
}

} // namespace testsupport

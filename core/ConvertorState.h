#pragma once
// The stored state of a conversion-stream component: its published properties
// and its two format records, as kept in the converter's design-time data.
//
// Text form, one block per component:
//   object mp3wav: TACMConvertor
//     InputBufferSize = 2048
//     UseRealTime = True            (only when true)
//     ACMFormatIn = { 81000000 5500... }
//     ACMFormatOut = { ... }
//   end
// A format blob is a 4-byte little-endian length followed by that many record
// bytes, in hexadecimal; white space inside the braces is ignored.
#include "WaveFormatRecord.h"

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

namespace core {

struct ConvertorState {
    uint32_t inputBufferSize = 2048;
    bool useRealTime = false;
    WaveFormatRecord formatIn = CreationDefaultFormat();
    WaveFormatRecord formatOut = CreationDefaultFormat();

    // PCM, 1 channel, 22050 Hz, 8 bits, cbSize 129, all extra bytes zero.
    static WaveFormatRecord CreationDefaultFormat();
};

class StateFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// All components of a text; unknown properties are an error, missing ones keep
// the creation defaults. A blob that declares more than 129 bytes fills the
// record and the rest is skipped. Throws StateFormatError on malformed text.
std::map<std::string, ConvertorState> ParseConvertorStates(const std::string& text);

} // namespace core

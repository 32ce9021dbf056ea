#pragma once
// A conversion that cannot go on; the driver answers the message with code.
#include <windows.h>

#include <mmsystem.h>

namespace mp3codec {

struct CodecError {
    explicit CodecError(MMRESULT result) : code(result) {}
    MMRESULT code;
};

} // namespace mp3codec

#pragma once
// MP3 files made by the lame command from a sox-made two-tone signal.
#include "AcmTestSupport.h"

#include <string>

namespace acmtest {

struct LameFile {
    DWORD rate;
    WORD channels;
    const char* options; // lame's bit-rate options
    bool id3v2;          // with a padded ID3v2 tag in front
};

// Writes the file into the work folder under `name` and returns its bytes.
Bytes MakeLameFile(const std::string& name, const LameFile& file, double seconds = 2);

} // namespace acmtest

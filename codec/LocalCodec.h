#pragma once
// The suite's own codec, added for this process alone from the program's own
// folder. A driver added this way comes before every installed one, so a
// stream opened with no driver handle gets the suite's filtered PCM converter
// and MP3 codec whether or not l3codecp.exe ever ran for this user, and no
// other program on the machine sees it.
#include "win/ScopedAcm.h"

#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <string>

namespace codec {

class LocalCodec {
public:
    // Loads sonarmp3.acm from folder (a full path with its final backslash)
    // and adds it. A missing file, a file without the entry or a refusal of
    // the Audio Compression Manager leaves the installed drivers alone in
    // charge, without a word.
    explicit LocalCodec(const std::wstring& folder);
    ~LocalCodec();
    LocalCodec(const LocalCodec&) = delete;
    LocalCodec& operator=(const LocalCodec&) = delete;

    bool Added() const { return static_cast<bool>(driver_); }
    // The driver a LocalCodec of this process added and still holds; null
    // when there is none.
    static HACMDRIVERID Current();

private:
    // Declared first, so the driver is removed before its module goes.
    win::ScopedModule module_;
    win::ScopedAcmDriverId driver_;
};

} // namespace codec

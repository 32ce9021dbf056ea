#pragma once
// An ACM driver that lives inside the test program (acmDriverAdd with a
// function). It offers a fixed list of MPEG layer-3 formats and converts its
// private source tag to PCM, counting stream opens and closes, so that tests
// can see what the platform asked of a driver.
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <vector>

namespace testdriver {

// A source tag no real codec claims, so acmStreamOpen can only pick this driver.
constexpr WORD kPrivateTag = 0x7A7A;

struct Counters {
    int streamOpens = 0;
    int streamCloses = 0;
    DWORD openFlags = 0; // of the last stream opened
    bool failStreamSize = false;
    bool refuseNextStreamClose = false; // once, as a busy driver would
};

Counters& Stats();

// The layer-3 formats it offers, in order.
const std::vector<MPEGLAYER3WAVEFORMAT>& OfferedFormats();

// Registers the driver with msacm32 for this process; removes it on destruction.
class Registration {
public:
    Registration();
    ~Registration();
    bool Ok() const { return id_ != nullptr; }

private:
    HACMDRIVERID id_ = nullptr;
};

WAVEFORMATEX PrivateSourceFormat();

} // namespace testdriver

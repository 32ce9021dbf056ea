#pragma once
// Owner for an opened Audio Compression Manager driver.
#include "Scoped.h"

#include <mmreg.h>
#include <msacm.h>

namespace win {

struct CloseAcmDriver {
    void operator()(HACMDRIVER h) const { acmDriverClose(h, 0); }
};
using ScopedAcmDriver = ScopedHandle<HACMDRIVER, CloseAcmDriver>;

} // namespace win

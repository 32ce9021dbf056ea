#pragma once
// Owners for an opened Audio Compression Manager driver and for a driver a
// program added for itself.
#include "Scoped.h"

#include <mmreg.h>
#include <msacm.h>

namespace win {

struct CloseAcmDriver {
    void operator()(HACMDRIVER h) const { acmDriverClose(h, 0); }
};
using ScopedAcmDriver = ScopedHandle<HACMDRIVER, CloseAcmDriver>;

struct RemoveAcmDriver {
    void operator()(HACMDRIVERID h) const { acmDriverRemove(h, 0); }
};
using ScopedAcmDriverId = ScopedHandle<HACMDRIVERID, RemoveAcmDriver>;

} // namespace win

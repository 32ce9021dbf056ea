#pragma once
// An owner for the streams that tests open on a driver themselves; the
// programs open theirs through TACMConvertor.
#include "win/Scoped.h"

#include <mmreg.h>
#include <msacm.h>

namespace testsupport {

struct CloseAcmStream {
    void operator()(HACMSTREAM h) const { acmStreamClose(h, 0); }
};
using ScopedAcmStream = win::ScopedHandle<HACMSTREAM, CloseAcmStream>;

} // namespace testsupport

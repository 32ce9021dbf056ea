#include "LocalCodec.h"

#include "codec/LocalCodec.h"

namespace testsupport {

HACMDRIVERID AddLocalCodec(const std::wstring& path) {
    static const codec::LocalCodec added(path.substr(0, path.find_last_of(L'\\') + 1));
    return added.Id();
}

} // namespace testsupport

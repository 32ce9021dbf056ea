#include "BlockProgress.h"

#include <algorithm>

namespace core {

uint32_t BlockBufferSize(uint16_t blockAlign) { return std::max<uint32_t>(blockAlign, 1) * kFramesPerBlock; }

int BlockPercent(int64_t total, int64_t remaining) {
    if (remaining > total || total <= 0) {
        return 100;
    }
    return static_cast<int>((total - remaining) * 100 / total);
}

} // namespace core

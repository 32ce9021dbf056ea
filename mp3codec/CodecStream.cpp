#include "CodecStream.h"

#include <mmreg.h>
#include <msacm.h>

#include <algorithm>
#include <cstring>

namespace mp3codec {

size_t PendingOutput::MoveTo(BYTE* dst, size_t room) {
    const size_t count = std::min(room, bytes_.size() - read_);
    if (count > 0) {
        std::memcpy(dst, bytes_.data() + read_, count);
        read_ += count;
    }
    if (Empty()) {
        Clear();
    }
    return count;
}

void PendingOutput::Append(const BYTE* data, size_t size) { bytes_.insert(bytes_.end(), data, data + size); }

void PendingOutput::Clear() {
    bytes_.clear();
    read_ = 0;
}

void OutputSink::TakePending() { used_ += static_cast<DWORD>(pending_.MoveTo(dst_ + used_, room_ - used_)); }

void OutputSink::Put(const BYTE* data, size_t size) {
    // Once anything waits, later output must queue behind it to keep the order.
    const size_t direct = pending_.Empty() ? std::min<size_t>(size, room_ - used_) : 0;
    if (direct > 0) {
        std::memcpy(dst_ + used_, data, direct);
        used_ += static_cast<DWORD>(direct);
    }
    if (direct < size) {
        pending_.Append(data + direct, size - direct);
    }
}

ConvertResult CodecStream::Convert(const BYTE* src, DWORD srcLength, BYTE* dst, DWORD dstLength, DWORD flags) {
    if (flags & ACM_STREAMCONVERTF_START) {
        Reset();
    }
    OutputSink out(dst, dstLength, pending_);
    out.TakePending();
    if (srcLength > 0) {
        if (state_ == State::Finished) {
            Restart();
        }
        state_ = State::Converting;
        Consume(src, srcLength, out);
    }
    if ((flags & ACM_STREAMCONVERTF_END) && state_ == State::Converting) {
        Finish(out);
        state_ = State::Finished;
    }
    ConvertResult result;
    result.srcUsed = srcLength;
    result.dstUsed = out.Used();
    return result;
}

void CodecStream::Reset() {
    pending_.Clear();
    if (state_ != State::Fresh) {
        Restart();
        state_ = State::Fresh;
    }
}

} // namespace mp3codec

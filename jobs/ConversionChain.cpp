#include "ConversionChain.h"

#include "core/BlockProgress.h"

#include <algorithm>
#include <cstring>

namespace {

// The queue is let run between blocks, but no more often than this: under
// Wine an empty look at the queue costs 0.1 ms, about as much as converting a
// block of MPEG data, and a repaint or a cancel 25 ms later is not seen.
constexpr DWORD kPumpIntervalMs = 25;
// The pieces the files are read and written in. Every piece changes hands
// between the job's thread and a file thread once: with 256 KiB pieces those
// hand-overs added 1 to 2 % more to the MP3-to-WAV job under Wine, and larger
// pieces than 1 MiB gain nothing more.
constexpr size_t kFileBufferSize = 1024 * 1024;
// Calls after the end flag that take no input but still give output: a
// resampler's tail is a few thousand frames, a decoder's a frame or two, each
// far below this many destination buffers.
constexpr int kMaxDrainCalls = 4096;

} // namespace

ConversionChain::ConversionChain(std::vector<TACMConvertor*> stages, core::ByteFile& destination)
    : destination_(destination, kFileBufferSize) {
    for (TACMConvertor* convertor : stages) {
        stages_.push_back(Stage{convertor});
    }
}

void ConversionChain::Run(JobSink& sink, core::ByteFile& source, int64_t length, int64_t progressTotal) {
    Stage& first = stages_.front();
    TACMConvertor& convertor = *first.convertor;
    ReadAhead reader(source, kFileBufferSize, length);
    int64_t remaining = length;
    DWORD lastPump = GetTickCount() - kPumpIntervalMs;
    // A block moves the bar by a fraction of a percent; the window repaints
    // its meter for every report, so only a new percentage is reported.
    int lastPercent = -1;
    while (remaining > 0 && !sink.CancelRequested()) {
        const uint32_t space = convertor.InputBufferSize() - first.pending;
        const uint32_t n = static_cast<uint32_t>(std::min<int64_t>(space, remaining));
        reader.ReadExact(convertor.SourceBuffer() + first.pending, n);
        first.pending += n;
        remaining -= n;
        const int percent = core::BlockPercent(progressTotal, remaining);
        if (percent != lastPercent) {
            sink.SetProStatus(percent);
            lastPercent = percent;
        }
        Convert(0, remaining == 0);
        const DWORD now = GetTickCount();
        if (now - lastPump >= kPumpIntervalMs) {
            sink.ProcessMessages();
            lastPump = now;
        }
    }
    destination_.Flush();
}

// Appends data to stage index (or to the destination past the last stage) and
// converts as it goes; returns once all of it has been taken.
void ConversionChain::Deliver(size_t index, const uint8_t* data, uint32_t count, bool last) {
    if (index == stages_.size()) {
        destination_.Write(data, count);
        return;
    }
    if (count == 0 && !last) {
        return;
    }
    Stage& stage = stages_[index];
    TACMConvertor& convertor = *stage.convertor;
    uint32_t offset = 0;
    do {
        const uint32_t take = std::min(count - offset, convertor.InputBufferSize() - stage.pending);
        std::memcpy(convertor.SourceBuffer() + stage.pending, data + offset, take);
        stage.pending += take;
        offset += take;
        Convert(index, last && offset == count);
    } while (offset < count);
}

// One conversion of what stage index holds; with last, as many as it takes to
// hand on everything. A codec may keep output back when the destination buffer
// is full (a resampler's filter tail is longer than its answer to
// acmStreamSize promised), so after the end flag it is asked again until a
// call neither takes nor gives anything: what it still holds then would be
// thrown away by the reset.
void ConversionChain::Convert(size_t index, bool last) {
    Stage& stage = stages_[index];
    TACMConvertor& convertor = *stage.convertor;
    ACMSTREAMHEADER& header = convertor.StreamHeader();
    int drainCalls = 0;
    while (true) {
        header.cbSrcLength = stage.pending;
        const DWORD flags = (stage.started ? 0 : ACM_STREAMCONVERTF_START) | (last ? ACM_STREAMCONVERTF_END : 0);
        TACMConvertor::CheckACMResult("acmStreamConvert:", acmStreamConvert(convertor.StreamHandle(), &header, flags));
        stage.started = true;
        const uint32_t used = std::min<uint32_t>(header.cbSrcLengthUsed, stage.pending);
        const uint32_t produced = std::min<uint32_t>(header.cbDstLengthUsed, header.cbDstLength);
        std::memmove(convertor.SourceBuffer(), convertor.SourceBuffer() + used, stage.pending - used);
        stage.pending -= used;
        // After the end flag a codec that takes nothing more holds less than
        // one of its blocks: a fraction of a sample frame, which is dropped.
        const bool stageDone = last && used == 0 && produced == 0;
        Deliver(index + 1, convertor.DestBuffer(), produced, stageDone);
        if (stageDone) {
            stage.pending = 0;
            return;
        }
        if (!last) {
            // A full buffer of which nothing is taken would never move again.
            if (used == 0 && stage.pending == convertor.InputBufferSize()) {
                TACMConvertor::CheckACMResult("acmStreamConvert:", ACMERR_NOTPOSSIBLE);
            }
            return;
        }
        // A codec that gives output for ever without taking input would hang
        // the job; no codec's held output fills this many buffers.
        drainCalls = used == 0 ? drainCalls + 1 : 0;
        if (drainCalls > kMaxDrainCalls) {
            TACMConvertor::CheckACMResult("acmStreamConvert:", ACMERR_NOTPOSSIBLE);
        }
    }
}

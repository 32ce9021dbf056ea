#pragma once
// The block loop all four jobs share: source bytes run through one or two
// open conversion streams in series and what the last one produces is
// appended to the destination.
//
// Each stream is offered exactly the valid bytes it holds (cbSrcLength set per
// conversion); what it does not consume stays at the front of its source
// buffer for the next conversion, so no byte is converted twice or skipped.
// Its first conversion carries the start flag, and the conversion after which
// no input follows carries the end flag, so every codec gives up its tail.
// The files are read and written in large pieces whatever the block size,
// by threads beside the conversion.
#include "JobSink.h"
#include "codec/ACMConvertor.h"
#include "ReadAhead.h"
#include "WriteBehind.h"
#include "core/ByteFile.h"

#include <cstdint>
#include <vector>

class ConversionChain {
public:
    // The streams must be active; stage n+1's source buffer is at least as
    // large as stage n's destination buffer.
    ConversionChain(std::vector<TACMConvertor*> stages, core::ByteFile& destination);

    // Converts length bytes from the source's current position, a block per
    // pass, until the end or a cancel. Progress is the share of progressTotal
    // read, counted as if the bytes before the position had been read too.
    // Raises FileReadError on a short read, FileWriteError on a failed write and
    // EACMConvertor on a stream failure.
    void Run(JobSink& sink, core::ByteFile& source, int64_t length, int64_t progressTotal);

private:
    struct Stage {
        TACMConvertor* convertor;
        uint32_t pending = 0; // unconsumed bytes at the front of the source buffer
        bool started = false;
    };

    void Deliver(size_t index, const uint8_t* data, uint32_t count, bool last);
    void Convert(size_t index, bool last);

    std::vector<Stage> stages_;
    WriteBehind destination_;
};

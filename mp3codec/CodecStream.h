#pragma once
// One open conversion stream of the driver, encoder or decoder, behind the
// ACMDM_STREAM_* messages.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mp3codec {

struct ConvertResult {
    DWORD srcUsed = 0;
    DWORD dstUsed = 0;
};

// Output that did not fit into the caller's destination buffer; it goes out first
// in the next conversion. With destination buffers as large as the stream's size
// bound it stays empty.
class PendingOutput {
public:
    // Copies as much as fits into dst and returns the bytes copied.
    size_t MoveTo(BYTE* dst, size_t room);
    void Append(const BYTE* data, size_t size);
    void Clear();
    bool Empty() const { return read_ == bytes_.size(); }

private:
    std::vector<BYTE> bytes_;
    size_t read_ = 0;
};

// The destination of one conversion: fills the caller's buffer and keeps the rest.
class OutputSink {
public:
    OutputSink(BYTE* dst, DWORD room, PendingOutput& pending) : dst_(dst), room_(room), pending_(pending) {}
    // Hands over what an earlier conversion could not deliver.
    void TakePending();
    void Put(const BYTE* data, size_t size);
    DWORD Used() const { return used_; }

private:
    BYTE* dst_;
    DWORD room_;
    DWORD used_ = 0;
    PendingOutput& pending_;
};

// The conversion protocol common to both directions: the start flag begins a
// fresh stream, the end flag hands over everything the codec holds, data after
// an end begins a new stream, and every source byte is taken.
class CodecStream {
public:
    virtual ~CodecStream() = default;
    // flags are the ACM_STREAMCONVERTF_* of the call. Throws CodecError or
    // std::bad_alloc.
    ConvertResult Convert(const BYTE* src, DWORD srcLength, BYTE* dst, DWORD dstLength, DWORD flags);
    // Drops the stream's state: the next conversion starts afresh.
    void Reset();
    // The most output that srcLength bytes can give in one conversion, the end
    // flag's flush included. False when it does not fit into a DWORD.
    virtual bool MaxOutput(DWORD srcLength, DWORD& dstLength) const = 0;
    // The most source whose output is sure to fit into dstLength bytes. False
    // when not even the smallest source fits.
    virtual bool MaxInput(DWORD dstLength, DWORD& srcLength) const = 0;

protected:
    // Takes all of src, puts what it can convert already.
    virtual void Consume(const BYTE* src, DWORD length, OutputSink& out) = 0;
    // The end of a stream: puts everything the codec still holds.
    virtual void Finish(OutputSink& out) = 0;
    // Sets the codec up as for a new stream.
    virtual void Restart() = 0;

private:
    // Fresh: nothing taken since the codec was set up; Finished: ended by an end flag.
    enum class State { Fresh, Converting, Finished };
    State state_ = State::Fresh;
    PendingOutput pending_;
};

} // namespace mp3codec

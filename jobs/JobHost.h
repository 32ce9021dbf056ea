#pragma once
// What the conversion jobs use of the main window: its four conversion-stream
// components, its format tables and list selections, its run state and its
// progress display. The main window implements it; the jobs hold no state of
// their own between runs.
#include "codec/ACMConvertor.h"
#include "core/WaveFormatRecord.h"

#include <string>
#include <vector>

struct ConverterComponents {
    TACMConvertor mp3wav;   // MPEG layer 3 to PCM
    TACMConvertor wavcd;    // PCM to CD-quality PCM
    TACMConvertor wavtowav; // PCM to PCM
    TACMConvertor wavmp3;   // PCM to MPEG layer 3
};

class JobHost {
public:
    virtual ~JobHost() = default;

    virtual ConverterComponents& Components() = 0;
    virtual const std::vector<core::WaveFormatRecord>& MP3Formats() const = 0;
    virtual const std::vector<core::WaveFormatRecord>& PCMFormats() const = 0;
    // Entry count and selected entry (-1 for none) of the mp3format and WAVFormats lists.
    virtual int MP3FormatItemCount() const = 0;
    virtual int MP3FormatItemIndex() const = 0;
    virtual int WAVFormatsItemCount() const = 0;
    virtual int WAVFormatsItemIndex() const = 0;

    virtual bool CancelRequested() const = 0;
    virtual void SetConverting(bool converting) = 0;
    virtual void SetProStatus(int percent) = 0;
    // Lets pending messages run between blocks: repaints, cancel, close requests.
    virtual void ProcessMessages() = 0;
    // A modal message box with the error icon and no caption text of its own.
    virtual void ShowJobMessage(const std::wstring& text) = 0;
    // The job has created (or emptied) this destination; a batch run keeps
    // track so that it never overwrites its own results.
    virtual void DestinationCreated(const std::wstring& /*name*/) {}
};

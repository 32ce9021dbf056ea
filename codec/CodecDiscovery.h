#pragma once
// Asks the Audio Compression Manager for every installed driver (the suite's
// codec once, from the copy added for the process) and every format each
// offers, and keeps the MPEG layer-3 and PCM formats in two tables
// whose record numbers are the entry numbers of the converter's format lists.
//
// A driver that offered a listed format stays open as long as the discovery
// lives. The jobs still open their streams with no driver handle, but the ACM
// then finds the driver's module loaded and started: opening a stream takes
// 2 ms instead of 9, and closing it no longer unloads the codec.
#include "core/WaveFormatRecord.h"
#include "win/ScopedAcm.h"

#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <string>
#include <vector>

// What the discovery hands on, entry by entry: the main window's format lists.
class FormatListSink {
public:
    virtual ~FormatListSink() = default;
    // Entry for MP3Formats[i]; both MP3 lists take it.
    virtual void AddMP3FormatEntry(const std::wstring& description) = 0;
    // Entry for PCMFormats[i].
    virtual void AddPCMFormatEntry(const std::wstring& description) = 0;
    // Lets the message queue run once, between drivers.
    virtual void ProcessMessages() {}
};

class CodecDiscovery {
public:
    explicit CodecDiscovery(FormatListSink& sink) : sink_(sink) {}

    // Every driver, disabled ones included.
    void Enumerate();

    void ACMEnumDrvrMethod(HACMDRIVERID driverId);
    void ACMEnumFmtMethod(HACMDRIVERID driverId, const ACMFORMATDETAILSA& details);

    std::vector<core::WaveFormatRecord> MP3Formats;
    std::vector<core::WaveFormatRecord> PCMFormats;

private:
    FormatListSink& sink_;
    std::vector<win::ScopedAcmDriver> keptDrivers_;
    // The suite's codec added for the process, told by its details.
    std::wstring ownIdentity_;
    bool ownListed_ = false;
};

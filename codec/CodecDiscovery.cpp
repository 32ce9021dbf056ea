#include "CodecDiscovery.h"

#include "LocalCodec.h"

#include "win/ScopedAcm.h"
#include "win/TextConversion.h"

#include <algorithm>
#include <cstring>

namespace {

BOOL CALLBACK DriverCallback(HACMDRIVERID driverId, DWORD_PTR instance, DWORD /*support*/) {
    reinterpret_cast<CodecDiscovery*>(instance)->ACMEnumDrvrMethod(driverId);
    return TRUE;
}

BOOL CALLBACK FormatCallback(HACMDRIVERID driverId, LPACMFORMATDETAILSA details, DWORD_PTR instance,
                             DWORD /*support*/) {
    reinterpret_cast<CodecDiscovery*>(instance)->ACMEnumFmtMethod(driverId, *details);
    return TRUE;
}

// szFormat is text of the system code page, up to its first NUL.
std::wstring DescriptionOf(const ACMFORMATDETAILSA& details) {
    return win::WidenAnsi(details.szFormat, strnlen(details.szFormat, sizeof details.szFormat));
}

core::WaveFormatRecord RecordOf(const ACMFORMATDETAILSA& details) {
    core::WaveFormatRecord record;
    const size_t size = std::min<size_t>(details.cbwfx, core::kWaveFormatRecordSize);
    std::memcpy(record.bytes.data(), details.pwfx, size);
    return record;
}

// What tells one codec from another: the same file added for the process and
// installed for the machine answers alike.
std::wstring IdentityOf(HACMDRIVERID driverId) {
    ACMDRIVERDETAILSW details = {};
    details.cbStruct = sizeof details;
    if (!driverId || acmDriverDetailsW(driverId, &details, 0) != MMSYSERR_NOERROR) {
        return {};
    }
    return std::to_wstring(details.wMid) + L"|" + std::to_wstring(details.wPid) + L"|" +
           std::to_wstring(details.vdwDriver) + L"|" + details.szShortName + L"|" + details.szLongName;
}

} // namespace

void CodecDiscovery::Enumerate() {
    keptDrivers_.clear();
    ownIdentity_ = IdentityOf(codec::LocalCodec::Current());
    ownListed_ = false;
    acmDriverEnum(DriverCallback, reinterpret_cast<DWORD_PTR>(this), ACM_DRIVERENUMF_DISABLED);
}

void CodecDiscovery::ACMEnumDrvrMethod(HACMDRIVERID driverId) {
    // The suite's codec added for the process is listed once, in the place of
    // its first copy (an installed one comes earlier), so that the entries
    // keep their numbers; its other copies are left out.
    if (!ownIdentity_.empty() && IdentityOf(driverId) == ownIdentity_) {
        if (ownListed_) {
            sink_.ProcessMessages();
            return;
        }
        ownListed_ = true;
        driverId = codec::LocalCodec::Current();
    }
    core::WaveFormatRecord query;
    query.SetFormatTag(core::kWaveFormatMpegLayer3);
    query.SetCbSize(core::kWaveFormatRecordSize);
    ACMFORMATDETAILSA details = {};
    details.cbStruct = sizeof details;
    details.dwFormatTag = core::kWaveFormatMpegLayer3;
    details.pwfx = reinterpret_cast<WAVEFORMATEX*>(query.bytes.data());
    details.cbwfx = core::kWaveFormatRecordSize;

    // A driver that cannot be opened (a disabled one) is skipped: enumerating
    // on handle 0 would ask every driver again.
    win::ScopedAcmDriver driver;
    if (acmDriverOpen(driver.Receive(), driverId, 0) == MMSYSERR_NOERROR && driver) {
        const size_t listedBefore = MP3Formats.size() + PCMFormats.size();
        acmFormatEnumA(driver.get(), &details, FormatCallback, reinterpret_cast<DWORD_PTR>(this), 0);
        if (MP3Formats.size() + PCMFormats.size() > listedBefore) {
            keptDrivers_.push_back(std::move(driver));
        }
    }
    sink_.ProcessMessages();
}

void CodecDiscovery::ACMEnumFmtMethod(HACMDRIVERID /*driverId*/, const ACMFORMATDETAILSA& details) {
    if (!details.pwfx) {
        return;
    }
    if (details.dwFormatTag == core::kWaveFormatMpegLayer3) {
        MP3Formats.push_back(RecordOf(details));
        sink_.AddMP3FormatEntry(DescriptionOf(details));
    } else if (details.dwFormatTag == core::kWaveFormatPcm) {
        PCMFormats.push_back(RecordOf(details));
        sink_.AddPCMFormatEntry(DescriptionOf(details));
    }
}

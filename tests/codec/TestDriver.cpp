#include "TestDriver.h"
#include "mp3codec/AcmDriverAbi.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace testdriver {
namespace {

MPEGLAYER3WAVEFORMAT Layer3(WORD channels, DWORD rate, DWORD bytesPerSec) {
    MPEGLAYER3WAVEFORMAT f = {};
    f.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    f.wfx.nChannels = channels;
    f.wfx.nSamplesPerSec = rate;
    f.wfx.nAvgBytesPerSec = bytesPerSec;
    f.wfx.nBlockAlign = 1;
    f.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    f.wID = MPEGLAYER3_ID_MPEG;
    f.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    f.nBlockSize = 313;
    f.nFramesPerBlock = 1;
    return f;
}

LRESULT DriverDetails(ACMDRIVERDETAILSW* details) {
    ACMDRIVERDETAILSW d = {};
    d.cbStruct = std::min<DWORD>(details->cbStruct, sizeof d);
    d.fccType = ACMDRIVERDETAILS_FCCTYPE_AUDIOCODEC;
    d.vdwACM = 0x03320000;
    d.vdwDriver = 0x01000000;
    d.fdwSupport = ACMDRIVERDETAILS_SUPPORTF_CODEC;
    d.cFormatTags = 3;
    wcscpy(d.szShortName, L"Prueba");
    wcscpy(d.szLongName, L"Controlador de prueba");
    std::memcpy(details, &d, d.cbStruct);
    return MMSYSERR_NOERROR;
}

LRESULT FormatTagDetails(ACMFORMATTAGDETAILSW* tag, DWORD flags) {
    // msacm32 picks a driver for a stream only when it lists both tags, so
    // PCM is listed too, without formats of its own.
    static const WORD kTags[] = {WAVE_FORMAT_MPEGLAYER3, kPrivateTag, WAVE_FORMAT_PCM};
    DWORD index = tag->dwFormatTagIndex;
    if ((flags & ACM_FORMATTAGDETAILSF_QUERYMASK) == ACM_FORMATTAGDETAILSF_FORMATTAG) {
        index = static_cast<DWORD>(std::find(std::begin(kTags), std::end(kTags), tag->dwFormatTag) - kTags);
    } else if ((flags & ACM_FORMATTAGDETAILSF_QUERYMASK) == ACM_FORMATTAGDETAILSF_LARGESTSIZE) {
        index = 0;
    }
    if (index >= std::size(kTags)) {
        return ACMERR_NOTPOSSIBLE;
    }
    tag->dwFormatTagIndex = index;
    tag->dwFormatTag = kTags[index];
    tag->cbFormatSize = index == 0 ? sizeof(MPEGLAYER3WAVEFORMAT) : sizeof(WAVEFORMATEX);
    tag->fdwSupport = ACMDRIVERDETAILS_SUPPORTF_CODEC;
    tag->cStandardFormats = index == 0 ? static_cast<DWORD>(OfferedFormats().size()) : 0;
    wcscpy(tag->szFormatTag, index == 0 ? L"MPEG Layer-3" : L"Otro");
    return MMSYSERR_NOERROR;
}

LRESULT FormatDetails(ACMFORMATDETAILSW* details, DWORD flags) {
    if ((flags & ACM_FORMATDETAILSF_QUERYMASK) != ACM_FORMATDETAILSF_INDEX ||
        details->dwFormatTag != WAVE_FORMAT_MPEGLAYER3 || details->dwFormatIndex >= OfferedFormats().size()) {
        return ACMERR_NOTPOSSIBLE;
    }
    if (details->cbwfx < sizeof(MPEGLAYER3WAVEFORMAT)) {
        return MMSYSERR_INVALPARAM;
    }
    const MPEGLAYER3WAVEFORMAT& format = OfferedFormats()[details->dwFormatIndex];
    std::memcpy(details->pwfx, &format, sizeof format);
    details->cbwfx = sizeof format;
    details->fdwSupport = ACMDRIVERDETAILS_SUPPORTF_CODEC;
    swprintf(details->szFormat, ACMFORMATDETAILS_FORMAT_CHARS, L"Prueba %lu Hz", format.wfx.nSamplesPerSec);
    return MMSYSERR_NOERROR;
}

LRESULT StreamOpen(ACMDRVSTREAMINSTANCE* stream) {
    if (stream->pwfxSrc->wFormatTag != kPrivateTag || stream->pwfxDst->wFormatTag != WAVE_FORMAT_PCM) {
        return ACMERR_NOTPOSSIBLE;
    }
    if (!(stream->fdwOpen & ACM_STREAMOPENF_QUERY)) {
        ++Stats().streamOpens;
        Stats().openFlags = stream->fdwOpen;
    }
    return MMSYSERR_NOERROR;
}

LRESULT StreamSizeOf(ACMDRVSTREAMSIZE* size) {
    if (Stats().failStreamSize) {
        return MMSYSERR_NOMEM;
    }
    size->cbDstLength = size->cbSrcLength * 2;
    return MMSYSERR_NOERROR;
}

LRESULT CALLBACK DriverProc(DWORD_PTR driverId, HDRVR, UINT message, LPARAM param1, LPARAM param2) {
    switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE:
        return 1;
    case DRV_OPEN:
        return 1;
    case ACMDM_DRIVER_DETAILS:
        return DriverDetails(reinterpret_cast<ACMDRIVERDETAILSW*>(param1));
    case ACMDM_FORMATTAG_DETAILS:
        return FormatTagDetails(reinterpret_cast<ACMFORMATTAGDETAILSW*>(param1), static_cast<DWORD>(param2));
    case ACMDM_FORMAT_DETAILS:
        return FormatDetails(reinterpret_cast<ACMFORMATDETAILSW*>(param1), static_cast<DWORD>(param2));
    case ACMDM_STREAM_OPEN:
        return StreamOpen(reinterpret_cast<ACMDRVSTREAMINSTANCE*>(param1));
    case ACMDM_STREAM_CLOSE:
        if (Stats().refuseNextStreamClose) {
            Stats().refuseNextStreamClose = false;
            return ACMERR_BUSY;
        }
        ++Stats().streamCloses;
        return MMSYSERR_NOERROR;
    case ACMDM_STREAM_SIZE:
        return StreamSizeOf(reinterpret_cast<ACMDRVSTREAMSIZE*>(param2));
    default:
        return DefDriverProc(driverId, nullptr, message, param1, param2);
    }
}

} // namespace

Counters& Stats() {
    static Counters counters;
    return counters;
}

const std::vector<MPEGLAYER3WAVEFORMAT>& OfferedFormats() {
    static const std::vector<MPEGLAYER3WAVEFORMAT> formats = {Layer3(2, 11025, 1111), Layer3(1, 8000, 999),
                                                              Layer3(2, 11025, 2222)};
    return formats;
}

Registration::Registration() {
    if (acmDriverAdd(&id_, GetModuleHandleW(nullptr), reinterpret_cast<LPARAM>(DriverProc), 0,
                     ACM_DRIVERADDF_FUNCTION | ACM_DRIVERADDF_LOCAL) != MMSYSERR_NOERROR) {
        id_ = nullptr;
    }
}

Registration::~Registration() {
    if (id_) {
        acmDriverRemove(id_, 0);
    }
}

WAVEFORMATEX PrivateSourceFormat() {
    WAVEFORMATEX f = {};
    f.wFormatTag = kPrivateTag;
    f.nChannels = 1;
    f.nSamplesPerSec = 8000;
    f.nAvgBytesPerSec = 8000;
    f.nBlockAlign = 1;
    f.wBitsPerSample = 8;
    return f;
}

} // namespace testdriver

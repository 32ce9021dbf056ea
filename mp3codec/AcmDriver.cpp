// The installable ACM driver. One DLL, two entries: DriverProc, which the machine's
// Drivers32 registration names, is the MP3 codec that any program may be handed;
// LocalDriverProc, which the converter adds for itself, also changes PCM rates,
// channels and sample widths with a filter that holds samples back until the end
// flag, as the converter's jobs expect and other programs do not.
#include "AcmDriverAbi.h"
#include "CodecError.h"
#include "CodecIdentity.h"
#include "Mp3Decoder.h"
#include "Mp3Encoder.h"
#include "Mp3Formats.h"
#include "PcmConverter.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace mp3codec {
namespace {

constexpr wchar_t kCopyright[] = L"Copyright (C) VELTRA";
constexpr wchar_t kLicensing[] =
    L"Codifica con LAME, decodifica con libmpg123 y cambia la frecuencia con libsoxr, todas bajo la licencia LGPL.";
constexpr wchar_t kFeatures[] = L"Codifica PCM de 16 bits en MPEG Layer-3 de tasa constante, decodifica MPEG-1, 2 y "
                                L"2.5, y convierte PCM entre frecuencias, canales y bits con filtro.";
constexpr wchar_t kCodecFeatures[] =
    L"Codifica PCM de 16 bits en MPEG Layer-3 de tasa constante y decodifica MPEG-1, 2 y 2.5.";

// Format tag indexes of the driver: PCM first, as every codec lists it. msacm32
// offers a stream opened without a driver handle only to drivers that list both
// of its tags, so the local driver lists float too, with no format of its own.
constexpr DWORD kPcmTagIndex = 0;
constexpr DWORD kMp3TagIndex = 1;
constexpr DWORD kFloatTagIndex = 2;

enum class Role { MachineCodec, LocalDriver };

DWORD FormatTagCount(Role role) { return role == Role::LocalDriver ? 3 : 2; }

template <size_t N>
void CopyText(wchar_t (&target)[N], const std::wstring& text) {
    const size_t count = std::min(text.size(), N - 1);
    std::wmemcpy(target, text.c_str(), count);
    target[count] = L'\0';
}

// Details records are versioned by cbStruct: the caller gets what its size holds.
template <typename Details>
LRESULT HandOut(const Details& filled, Details* out) {
    const DWORD size = std::min<DWORD>(out->cbStruct, sizeof(Details));
    std::memcpy(out, &filled, size);
    out->cbStruct = size;
    return MMSYSERR_NOERROR;
}

CodecStream* StreamOf(const ACMDRVSTREAMINSTANCE* instance) {
    return instance ? reinterpret_cast<CodecStream*>(instance->dwDriver) : nullptr;
}

bool SameShape(const WAVEFORMATEX& a, const WAVEFORMATEX& b) {
    return a.nSamplesPerSec == b.nSamplesPerSec && a.nChannels == b.nChannels;
}

// msacm32 hands the driver a copy of each record as long as its cbSize says
// (a PCM record without cbSize), so an MPEG layer-3 record whose cbSize is
// short ends before wID.
DWORD RecordSize(const WAVEFORMATEX& record) {
    return record.wFormatTag == WAVE_FORMAT_PCM ? sizeof(PCMWAVEFORMAT) : sizeof(WAVEFORMATEX) + record.cbSize;
}

bool IsEncoding(const WAVEFORMATEX& src, const WAVEFORMATEX& dst) {
    return IsPcmRecord(src, true) && IsMp3Record(dst, true) && IsCompleteMp3Record(dst, RecordSize(dst)) &&
           SameShape(src, dst);
}

bool IsDecoding(const WAVEFORMATEX& src, const WAVEFORMATEX& dst) {
    return IsMp3Record(src, false) && IsCompleteMp3Record(src, RecordSize(src)) && IsPcmRecord(dst, false) &&
           SameShape(src, dst);
}

LRESULT OnDriverOpen(ACMDRVOPENDESCW* desc) {
    if (desc) {
        if (desc->fccType != ACMDRIVERDETAILS_FCCTYPE_AUDIOCODEC) {
            return 0;
        }
        desc->dwError = MMSYSERR_NOERROR;
    }
    return 1;
}

LRESULT OnDriverDetails(ACMDRIVERDETAILSW* details, Role role) {
    if (!details || details->cbStruct < sizeof(DWORD)) {
        return MMSYSERR_INVALPARAM;
    }
    ACMDRIVERDETAILSW filled = {};
    filled.cbStruct = sizeof(filled);
    filled.fccType = ACMDRIVERDETAILS_FCCTYPE_AUDIOCODEC;
    filled.fccComp = ACMDRIVERDETAILS_FCCCOMP_UNDEFINED;
    filled.wMid = MM_UNMAPPED;
    filled.wPid = MM_PID_UNMAPPED;
    filled.vdwACM = MAKE_ACM_VERSION(3, 50, 0);
    filled.vdwDriver = MAKE_ACM_VERSION(MP3CODEC_VERSION_MAJOR, MP3CODEC_VERSION_MINOR, MP3CODEC_VERSION_PATCH);
    filled.fdwSupport = ACMDRIVERDETAILS_SUPPORTF_CODEC;
    if (role == Role::LocalDriver) {
        filled.fdwSupport |= ACMDRIVERDETAILS_SUPPORTF_CONVERTER;
    }
    filled.cFormatTags = FormatTagCount(role);
    filled.cFilterTags = 0;
    CopyText(filled.szShortName, kDriverShortName);
    CopyText(filled.szLongName, kDriverLongName);
    CopyText(filled.szCopyright, kCopyright);
    CopyText(filled.szLicensing, kLicensing);
    CopyText(filled.szFeatures, role == Role::LocalDriver ? kFeatures : kCodecFeatures);
    return HandOut(filled, details);
}

bool TagIndexOf(DWORD formatTag, Role role, DWORD& index) {
    switch (formatTag) {
    case WAVE_FORMAT_PCM:
        index = kPcmTagIndex;
        return true;
    case WAVE_FORMAT_MPEGLAYER3:
        index = kMp3TagIndex;
        return true;
    case WAVE_FORMAT_IEEE_FLOAT:
        index = kFloatTagIndex;
        return role == Role::LocalDriver;
    default:
        return false;
    }
}

LRESULT FillFormatTag(DWORD index, Role role, ACMFORMATTAGDETAILSW* details) {
    ACMFORMATTAGDETAILSW filled = {};
    filled.cbStruct = sizeof(filled);
    filled.dwFormatTagIndex = index;
    filled.fdwSupport = ACMDRIVERDETAILS_SUPPORTF_CODEC;
    if (index == kMp3TagIndex) {
        filled.dwFormatTag = WAVE_FORMAT_MPEGLAYER3;
        filled.cbFormatSize = sizeof(MPEGLAYER3WAVEFORMAT);
        filled.cStandardFormats = static_cast<DWORD>(Mp3FormatCount());
        CopyText(filled.szFormatTag, L"MPEG Layer-3");
    } else if (index == kPcmTagIndex) {
        filled.dwFormatTag = WAVE_FORMAT_PCM;
        filled.cbFormatSize = sizeof(PCMWAVEFORMAT);
        filled.cStandardFormats = static_cast<DWORD>(PcmFormatCount());
        if (role == Role::LocalDriver) {
            filled.fdwSupport |= ACMDRIVERDETAILS_SUPPORTF_CONVERTER;
        }
        CopyText(filled.szFormatTag, L"PCM");
    } else {
        // Taken as a source only, so no list shows a float format.
        filled.dwFormatTag = WAVE_FORMAT_IEEE_FLOAT;
        filled.cbFormatSize = sizeof(WAVEFORMATEX);
        filled.cStandardFormats = 0;
        CopyText(filled.szFormatTag, L"IEEE Float");
    }
    return HandOut(filled, details);
}

LRESULT OnFormatTagDetails(ACMFORMATTAGDETAILSW* details, DWORD query, Role role) {
    if (!details || details->cbStruct < offsetof(ACMFORMATTAGDETAILSW, cbFormatSize)) {
        return MMSYSERR_INVALPARAM;
    }
    DWORD index = details->dwFormatTagIndex;
    switch (query & ACM_FORMATTAGDETAILSF_QUERYMASK) {
    case ACM_FORMATTAGDETAILSF_INDEX:
        if (index >= FormatTagCount(role)) {
            return ACMERR_NOTPOSSIBLE;
        }
        break;
    case ACM_FORMATTAGDETAILSF_LARGESTSIZE:
        if (details->dwFormatTag == WAVE_FORMAT_UNKNOWN) {
            index = kMp3TagIndex;
            break;
        }
        [[fallthrough]];
    case ACM_FORMATTAGDETAILSF_FORMATTAG:
        if (!TagIndexOf(details->dwFormatTag, role, index)) {
            return ACMERR_NOTPOSSIBLE;
        }
        break;
    default:
        return MMSYSERR_NOTSUPPORTED;
    }
    return FillFormatTag(index, role, details);
}

// The description of the record at pwfx, or false when the codec has no use for it.
bool DescribeRecord(const WAVEFORMATEX& record, DWORD cbwfx, std::wstring& text) {
    if (cbwfx < sizeof(PCMWAVEFORMAT)) {
        return false;
    }
    const uint32_t rate = record.nSamplesPerSec;
    if (IsPcmRecord(record, false)) {
        text = Describe(PcmFormat{rate, record.nChannels});
        return true;
    }
    if (IsMp3Record(record, false) && IsCompleteMp3Record(record, cbwfx)) {
        text = Describe(Mp3Format{rate, record.nChannels, record.nAvgBytesPerSec * 8});
        return true;
    }
    return false;
}

LRESULT FillIndexedFormat(ACMFORMATDETAILSW& details, std::wstring& text) {
    const DWORD index = details.dwFormatIndex;
    if (details.dwFormatTag == WAVE_FORMAT_PCM && index < PcmFormatCount()) {
        const PcmFormat format = PcmFormatAt(index);
        text = Describe(format);
        return FillPcmRecord(format, details.pwfx, details.cbwfx) ? MMSYSERR_NOERROR : MMSYSERR_INVALPARAM;
    }
    if (details.dwFormatTag == WAVE_FORMAT_MPEGLAYER3 && index < Mp3FormatCount()) {
        const Mp3Format format = Mp3FormatAt(index);
        text = Describe(format);
        return FillMp3Record(format, details.pwfx, details.cbwfx) ? MMSYSERR_NOERROR : MMSYSERR_INVALPARAM;
    }
    return ACMERR_NOTPOSSIBLE;
}

LRESULT OnFormatDetails(ACMFORMATDETAILSW* details, DWORD query) {
    if (!details || details->cbStruct < offsetof(ACMFORMATDETAILSW, szFormat) || !details->pwfx) {
        return MMSYSERR_INVALPARAM;
    }
    std::wstring text;
    switch (query & ACM_FORMATDETAILSF_QUERYMASK) {
    case ACM_FORMATDETAILSF_INDEX:
        if (const LRESULT result = FillIndexedFormat(*details, text); result != MMSYSERR_NOERROR) {
            return result;
        }
        break;
    case ACM_FORMATDETAILSF_FORMAT:
        if (!DescribeRecord(*details->pwfx, details->cbwfx, text)) {
            return ACMERR_NOTPOSSIBLE;
        }
        break;
    default:
        return MMSYSERR_NOTSUPPORTED;
    }
    details->fdwSupport = ACMDRIVERDETAILS_SUPPORTF_CODEC;
    if (details->cbStruct >= sizeof(ACMFORMATDETAILSW)) {
        CopyText(details->szFormat, text);
    }
    return MMSYSERR_NOERROR;
}

// A field the caller fixed through the suggest flags must already hold the value
// the conversion needs.
bool FixedFieldsAllow(const ACMDRVFORMATSUGGEST& suggest, WORD tag, const WAVEFORMATEX& src, WORD bits) {
    const DWORD fixed = suggest.fdwSuggest;
    const WAVEFORMATEX& dst = *suggest.pwfxDst;
    if (fixed && suggest.cbwfxDst < sizeof(PCMWAVEFORMAT)) {
        return false;
    }
    return (!(fixed & ACM_FORMATSUGGESTF_WFORMATTAG) || dst.wFormatTag == tag) &&
           (!(fixed & ACM_FORMATSUGGESTF_NCHANNELS) || dst.nChannels == src.nChannels) &&
           (!(fixed & ACM_FORMATSUGGESTF_NSAMPLESPERSEC) || dst.nSamplesPerSec == src.nSamplesPerSec) &&
           (!(fixed & ACM_FORMATSUGGESTF_WBITSPERSAMPLE) || dst.wBitsPerSample == bits);
}

// The local driver's PCM-to-PCM suggestion: the source's own shape, with the
// fields the caller fixed taken from its destination.
LRESULT SuggestPcm(const ACMDRVFORMATSUGGEST& suggest) {
    const WAVEFORMATEX& src = *suggest.pwfxSrc;
    WAVEFORMATEX& dst = *suggest.pwfxDst;
    const DWORD fixed = suggest.fdwSuggest;
    PcmShape source = {}, target = {};
    if (!IsConvertibleSource(src, source) || suggest.cbwfxDst < sizeof(PCMWAVEFORMAT) ||
        ((fixed & ACM_FORMATSUGGESTF_WFORMATTAG) && dst.wFormatTag != WAVE_FORMAT_PCM)) {
        return ACMERR_NOTPOSSIBLE;
    }
    target.sampleRate = (fixed & ACM_FORMATSUGGESTF_NSAMPLESPERSEC) ? dst.nSamplesPerSec : source.sampleRate;
    target.channels = (fixed & ACM_FORMATSUGGESTF_NCHANNELS) ? dst.nChannels : source.channels;
    target.bits = (fixed & ACM_FORMATSUGGESTF_WBITSPERSAMPLE) ? dst.wBitsPerSample
                  : source.isFloat || source.bits > kPcmBits  ? kPcmBits
                                                              : source.bits;
    WAVEFORMATEX candidate = {};
    candidate.wFormatTag = WAVE_FORMAT_PCM;
    candidate.nSamplesPerSec = target.sampleRate;
    candidate.nChannels = target.channels;
    candidate.wBitsPerSample = target.bits;
    candidate.nBlockAlign = static_cast<WORD>(target.BlockAlign());
    candidate.nAvgBytesPerSec = target.sampleRate * target.BlockAlign();
    if (!IsConvertibleTarget(candidate, target)) {
        return ACMERR_NOTPOSSIBLE;
    }
    std::memcpy(&dst, &candidate, std::min<DWORD>(suggest.cbwfxDst, sizeof(candidate)));
    return MMSYSERR_NOERROR;
}

LRESULT OnFormatSuggest(ACMDRVFORMATSUGGEST* suggest, Role role) {
    if (!suggest || !suggest->pwfxSrc || !suggest->pwfxDst || suggest->cbwfxSrc < sizeof(PCMWAVEFORMAT)) {
        return MMSYSERR_INVALPARAM;
    }
    const WAVEFORMATEX& src = *suggest->pwfxSrc;
    const uint32_t rate = src.nSamplesPerSec;
    if (IsMp3Record(src, false) && IsCompleteMp3Record(src, suggest->cbwfxSrc) &&
        FixedFieldsAllow(*suggest, WAVE_FORMAT_PCM, src, kPcmBits)) {
        const PcmFormat format{rate, src.nChannels};
        return FillPcmRecord(format, suggest->pwfxDst, suggest->cbwfxDst) ? MMSYSERR_NOERROR : ACMERR_NOTPOSSIBLE;
    }
    if (IsPcmRecord(src, true) && FixedFieldsAllow(*suggest, WAVE_FORMAT_MPEGLAYER3, src, 0)) {
        const Mp3Format format{rate, src.nChannels, EverydayBitRate(rate, src.nChannels)};
        return FillMp3Record(format, suggest->pwfxDst, suggest->cbwfxDst) ? MMSYSERR_NOERROR : ACMERR_NOTPOSSIBLE;
    }
    if (role == Role::LocalDriver) {
        return SuggestPcm(*suggest);
    }
    return ACMERR_NOTPOSSIBLE;
}

LRESULT OnStreamOpen(ACMDRVSTREAMINSTANCE* instance, Role role) {
    if (!instance || !instance->pwfxSrc || !instance->pwfxDst) {
        return MMSYSERR_INVALPARAM;
    }
    // Conversions run to completion inside each call; the driver is no filter.
    if ((instance->fdwOpen & ACM_STREAMOPENF_ASYNC) || instance->pwfltr) {
        return ACMERR_NOTPOSSIBLE;
    }
    const WAVEFORMATEX& src = *instance->pwfxSrc;
    const WAVEFORMATEX& dst = *instance->pwfxDst;
    PcmShape pcmSrc = {}, pcmDst = {};
    const bool encoding = IsEncoding(src, dst);
    const bool decoding = IsDecoding(src, dst);
    const bool converting = role == Role::LocalDriver && IsConvertibleSource(src, pcmSrc) &&
                            IsConvertibleTarget(dst, pcmDst);
    if (!encoding && !decoding && !converting) {
        return ACMERR_NOTPOSSIBLE;
    }
    if (instance->fdwOpen & ACM_STREAMOPENF_QUERY) {
        return MMSYSERR_NOERROR;
    }
    std::unique_ptr<CodecStream> stream;
    if (encoding) {
        stream = Mp3Encoder::Create(Mp3Format{dst.nSamplesPerSec, dst.nChannels, dst.nAvgBytesPerSec * 8});
    } else if (decoding) {
        stream = Mp3Decoder::Create(src.nSamplesPerSec, src.nChannels);
    } else {
        stream = PcmConverter::Create(pcmSrc, pcmDst);
    }
    if (!stream) {
        return MMSYSERR_NOMEM;
    }
    instance->dwDriver = reinterpret_cast<DWORD_PTR>(stream.release());
    return MMSYSERR_NOERROR;
}

LRESULT OnStreamClose(ACMDRVSTREAMINSTANCE* instance) {
    // A query open leaves dwDriver empty, and msacm32 closes it all the same.
    if (instance) {
        delete StreamOf(instance);
        instance->dwDriver = 0;
    }
    return MMSYSERR_NOERROR;
}

LRESULT OnStreamSize(ACMDRVSTREAMINSTANCE* instance, ACMDRVSTREAMSIZE* size) {
    const CodecStream* stream = StreamOf(instance);
    if (!stream) {
        return MMSYSERR_INVALHANDLE;
    }
    if (!size) {
        return MMSYSERR_INVALPARAM;
    }
    switch (size->fdwSize & ACM_STREAMSIZEF_QUERYMASK) {
    case ACM_STREAMSIZEF_SOURCE:
        return stream->MaxOutput(size->cbSrcLength, size->cbDstLength) ? MMSYSERR_NOERROR : ACMERR_NOTPOSSIBLE;
    case ACM_STREAMSIZEF_DESTINATION:
        return stream->MaxInput(size->cbDstLength, size->cbSrcLength) ? MMSYSERR_NOERROR : ACMERR_NOTPOSSIBLE;
    default:
        return MMSYSERR_INVALFLAG;
    }
}

LRESULT OnStreamConvert(ACMDRVSTREAMINSTANCE* instance, ACMDRVSTREAMHEADER* header) {
    CodecStream* stream = StreamOf(instance);
    if (!stream) {
        return MMSYSERR_INVALHANDLE;
    }
    if (!header || (header->cbSrcLength && !header->pbSrc) || (header->cbDstLength && !header->pbDst)) {
        return MMSYSERR_INVALPARAM;
    }
    const ConvertResult result =
        stream->Convert(header->pbSrc, header->cbSrcLength, header->pbDst, header->cbDstLength, header->fdwConvert);
    header->cbSrcLengthUsed = result.srcUsed;
    header->cbDstLengthUsed = result.dstUsed;
    return MMSYSERR_NOERROR;
}

LRESULT OnStreamReset(ACMDRVSTREAMINSTANCE* instance) {
    CodecStream* stream = StreamOf(instance);
    if (!stream) {
        return MMSYSERR_INVALHANDLE;
    }
    stream->Reset();
    return MMSYSERR_NOERROR;
}

LRESULT Dispatch(Role role, DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM param1, LPARAM param2) {
    auto* instance = reinterpret_cast<ACMDRVSTREAMINSTANCE*>(param1);
    switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE:
        return 1;
    case DRV_OPEN:
        return OnDriverOpen(reinterpret_cast<ACMDRVOPENDESCW*>(param2));
    case DRV_QUERYCONFIGURE:
        return 0; // nothing to configure
    case DRV_CONFIGURE:
    case DRV_INSTALL:
    case DRV_REMOVE:
        return DRVCNF_OK;
    case ACMDM_DRIVER_NOTIFY:
        return MMSYSERR_NOERROR;
    case ACMDM_DRIVER_DETAILS:
        return OnDriverDetails(reinterpret_cast<ACMDRIVERDETAILSW*>(param1), role);
    case ACMDM_FORMATTAG_DETAILS:
        return OnFormatTagDetails(reinterpret_cast<ACMFORMATTAGDETAILSW*>(param1), static_cast<DWORD>(param2), role);
    case ACMDM_FORMAT_DETAILS:
        return OnFormatDetails(reinterpret_cast<ACMFORMATDETAILSW*>(param1), static_cast<DWORD>(param2));
    case ACMDM_FORMAT_SUGGEST:
        return OnFormatSuggest(reinterpret_cast<ACMDRVFORMATSUGGEST*>(param1), role);
    case ACMDM_STREAM_OPEN:
        return OnStreamOpen(instance, role);
    case ACMDM_STREAM_CLOSE:
        return OnStreamClose(instance);
    case ACMDM_STREAM_SIZE:
        return OnStreamSize(instance, reinterpret_cast<ACMDRVSTREAMSIZE*>(param2));
    case ACMDM_STREAM_CONVERT:
        return OnStreamConvert(instance, reinterpret_cast<ACMDRVSTREAMHEADER*>(param2));
    case ACMDM_STREAM_RESET:
        return OnStreamReset(instance);
    case ACMDM_STREAM_PREPARE:
    case ACMDM_STREAM_UNPREPARE:
        return MMSYSERR_NOTSUPPORTED; // the headers need nothing of the driver; msacm32 prepares them itself
    case ACMDM_DRIVER_ABOUT:
    case ACMDM_HARDWARE_WAVE_CAPS_INPUT:
    case ACMDM_HARDWARE_WAVE_CAPS_OUTPUT:
    case ACMDM_FILTERTAG_DETAILS:
    case ACMDM_FILTER_DETAILS:
    case ACMDM_STREAM_UPDATE:
        return MMSYSERR_NOTSUPPORTED; // no about box, no hardware, no filters, no asynchronous streams
    default:
        return DefDriverProc(driverId, driver, message, param1, param2);
    }
}

} // namespace
} // namespace mp3codec

namespace {

LRESULT GuardedDispatch(mp3codec::Role role, DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM param1,
                        LPARAM param2) {
    // Nothing may unwind into msacm32.
    try {
        return mp3codec::Dispatch(role, driverId, driver, message, param1, param2);
    } catch (const mp3codec::CodecError& error) {
        return error.code;
    } catch (const std::bad_alloc&) {
        return MMSYSERR_NOMEM;
    }
}

} // namespace

// The entry msacm32 finds through the machine's Drivers32 registration: the MP3
// codec only, so that no other program is handed a PCM converter that holds
// samples back until the end flag.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    DriverProc(DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM param1, LPARAM param2) {
    return GuardedDispatch(mp3codec::Role::MachineCodec, driverId, driver, message, param1, param2);
}

// The entry the converter adds for itself with acmDriverAdd (ACM_DRIVERADDF_FUNCTION | ACM_DRIVERADDF_LOCAL).
extern "C" __declspec(dllexport) LRESULT CALLBACK
    LocalDriverProc(DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM param1, LPARAM param2) {
    return GuardedDispatch(mp3codec::Role::LocalDriver, driverId, driver, message, param1, param2);
}

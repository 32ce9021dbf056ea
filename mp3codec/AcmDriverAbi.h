#pragma once
// The driver side of the Audio Compression Manager. MinGW ships only the
// application side (msacm.h); the messages and structures below are the ones
// msacm32 hands to an installable driver. On 32-bit Windows every member is four
// bytes wide, so packing cannot matter there; on 64-bit they follow the layout
// Wine's msacm32 passes, which the static_asserts pin down.
#include <windows.h>

#include <mmreg.h>
#include <msacm.h>

#include <cstddef>

#define ACMDM_DRIVER_NOTIFY (ACMDM_BASE + 1)
#define ACMDM_DRIVER_DETAILS (ACMDM_BASE + 10)
#define ACMDM_HARDWARE_WAVE_CAPS_INPUT (ACMDM_BASE + 20)
#define ACMDM_HARDWARE_WAVE_CAPS_OUTPUT (ACMDM_BASE + 21)
#define ACMDM_FORMATTAG_DETAILS (ACMDM_BASE + 25)
#define ACMDM_FORMAT_DETAILS (ACMDM_BASE + 26)
#define ACMDM_FORMAT_SUGGEST (ACMDM_BASE + 27)
#define ACMDM_FILTERTAG_DETAILS (ACMDM_BASE + 50)
#define ACMDM_FILTER_DETAILS (ACMDM_BASE + 51)
#define ACMDM_STREAM_OPEN (ACMDM_BASE + 76)
#define ACMDM_STREAM_CLOSE (ACMDM_BASE + 77)
#define ACMDM_STREAM_SIZE (ACMDM_BASE + 78)
#define ACMDM_STREAM_CONVERT (ACMDM_BASE + 79)
#define ACMDM_STREAM_RESET (ACMDM_BASE + 80)
#define ACMDM_STREAM_PREPARE (ACMDM_BASE + 81)
#define ACMDM_STREAM_UNPREPARE (ACMDM_BASE + 82)
#define ACMDM_STREAM_UPDATE (ACMDM_BASE + 83)

#define MAKE_ACM_VERSION(major, minor, build) ((static_cast<DWORD>(major) << 24) | ((minor) << 16) | (build))

// The second parameter of DRV_OPEN when msacm32 opens the driver.
struct ACMDRVOPENDESCW {
    DWORD cbStruct;
    FOURCC fccType;
    FOURCC fccComp;
    DWORD dwVersion;
    DWORD dwFlags;
    DWORD dwError;
    LPCWSTR pszSectionName;
    LPCWSTR pszAliasName;
    DWORD dnDevNode;
};

// One open conversion stream; dwDriver is the driver's own per-stream pointer.
struct ACMDRVSTREAMINSTANCE {
    DWORD cbStruct;
    WAVEFORMATEX* pwfxSrc;
    WAVEFORMATEX* pwfxDst;
    WAVEFILTER* pwfltr;
    DWORD_PTR dwCallback;
    DWORD_PTR dwInstance;
    DWORD fdwOpen;
    DWORD fdwDriver;
    DWORD_PTR dwDriver;
    HACMSTREAM has;
};

// The application's ACMSTREAMHEADER as the driver sees it. Only the members up to
// fdwConvert are the driver's business; the rest belongs to msacm32.
#pragma pack(push, 1)
struct ACMDRVSTREAMHEADER {
    DWORD cbStruct;
    DWORD fdwStatus;
    DWORD_PTR dwUser;
    LPBYTE pbSrc;
    DWORD cbSrcLength;
    DWORD cbSrcLengthUsed;
    DWORD_PTR dwSrcUser;
    LPBYTE pbDst;
    DWORD cbDstLength;
    DWORD cbDstLengthUsed;
    DWORD_PTR dwDstUser;
    DWORD fdwConvert;
};
#pragma pack(pop)

struct ACMDRVSTREAMSIZE {
    DWORD cbStruct;
    DWORD fdwSize;
    DWORD cbSrcLength;
    DWORD cbDstLength;
};

struct ACMDRVFORMATSUGGEST {
    DWORD cbStruct;
    DWORD fdwSuggest;
    WAVEFORMATEX* pwfxSrc;
    DWORD cbwfxSrc;
    WAVEFORMATEX* pwfxDst;
    DWORD cbwfxDst;
};

#ifdef _WIN64
static_assert(offsetof(ACMDRVSTREAMINSTANCE, fdwOpen) == 48 && offsetof(ACMDRVSTREAMINSTANCE, dwDriver) == 56);
static_assert(offsetof(ACMDRVSTREAMHEADER, cbSrcLengthUsed) == 28 && offsetof(ACMDRVSTREAMHEADER, fdwConvert) == 64);
static_assert(offsetof(ACMDRVFORMATSUGGEST, pwfxDst) == 24);
#else
static_assert(offsetof(ACMDRVSTREAMINSTANCE, dwDriver) == 32);
static_assert(offsetof(ACMDRVSTREAMHEADER, fdwConvert) == 44);
#endif
static_assert(sizeof(MPEGLAYER3WAVEFORMAT) == 30);

#pragma once
// How Windows knows the codec: the file that l3codecp.exe puts into the system
// folder, and the Drivers32 value through which msacm32 finds it. The tests use
// the same names to find the installed codec.

// The version shown in the VERSIONINFO of the driver and of its installer.
#define MP3CODEC_VERSION_MAJOR 1
#define MP3CODEC_VERSION_MINOR 0
#define MP3CODEC_VERSION_PATCH 0
#define MP3CODEC_VERSION_TEXT "1.0.0"
#define MP3CODEC_COMPANY_NAME "VELTRA"
#define MP3CODEC_PRODUCT_NAME "VELTRA Sonaris"

#ifndef RC_INVOKED
namespace mp3codec {

constexpr wchar_t kDriverFileName[] = L"sonarmp3.acm";
// msacm32 only loads Drivers32 values whose name starts with "msacm.".
constexpr wchar_t kDriverAlias[] = L"msacm.sonarmp3";
constexpr wchar_t kDrivers32Key[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";
constexpr wchar_t kDriverDescriptionsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\drivers.desc";
// msacm32 caches a driver's format tags in a subkey of this one named after the alias.
constexpr wchar_t kDriverCacheKey[] = L"Software\\Microsoft\\AudioCompressionManager\\DriverCache";
// The per-user order in which msacm32 offers its drivers to a stream opened
// without a driver handle: values "Priority1", "Priority2", ... each holding
// "1, <alias>" (0 for a disabled driver).
constexpr wchar_t kDriverPriorityKey[] = L"Software\\Microsoft\\Multimedia\\Audio Compression Manager\\Priority v4.00";

constexpr wchar_t kDriverShortName[] = L"Sonaris MP3";
constexpr wchar_t kDriverLongName[] = L"Códec MPEG Layer-3 de VELTRA Sonaris";

} // namespace mp3codec
#endif

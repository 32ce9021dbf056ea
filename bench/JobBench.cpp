// Runs one conversion job on real files, headless, and reports how long the
// job took, how much of that went to the codecs (inside acmStreamConvert), to
// the files (inside ReadFile and WriteFile on the job's own thread) and to the
// message pump, how long it took to reach its first conversion and to finish
// after its last one, the time the threads that read and write beside the job
// spent in the files, and the process's peak working set.
//
//   jobbench mp3wav|mp3cdwav SOURCE DESTINATION
//   jobbench wav2wav SOURCE DESTINATION CHANNELS RATE BITS
//   jobbench wavmp3 SOURCE DESTINATION CHANNELS RATE KBPS
//   jobbench filecopy SOURCE DESTINATION BYTES
//
// filecopy is the floor for a job's file work: it reads all of SOURCE and
// writes BYTES bytes to a new DESTINATION, in the jobs' 1 MiB pieces, with
// nothing in between, and reports its time as job_seconds.
#include "JobTestHost.h"
#include "jobs/ConvertJobs.h"
#include "jobs/JobFailure.h"
#include "jobs/Win32File.h"

#include <intrin.h>
#include <psapi.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The processor's time-stamp counter: a reading costs 10 ns, where
// QueryPerformanceCounter costs 0.12 us under Wine, which a job converting
// 13,000 blocks would otherwise be charged 1.5 ms for. Seconds() rates it
// against the performance counter over the whole run.
LONGLONG Now() { return static_cast<LONGLONG>(__rdtsc()); }

LONGLONG Counter() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

const LONGLONG stampAtStart = Now();
const LONGLONG counterAtStart = Counter();

double Seconds(LONGLONG ticks) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    const double counted = static_cast<double>(Counter() - counterAtStart) / static_cast<double>(f.QuadPart);
    return static_cast<double>(ticks) * counted / static_cast<double>(Now() - stampAtStart);
}

// Time spent inside the wrapped platform calls.
LONGLONG codecTicks = 0;
LONGLONG fileTicks = 0;
LONGLONG behindTicks = 0;
DWORD jobThread = 0;
LONGLONG firstConversion = 0;
LONGLONG lastConversionEnd = 0;
long conversions = 0;
// The codec time of each stream, in the order of their first conversion: a
// job runs at most three stages.
struct StageTime {
    HACMSTREAM stream;
    LONGLONG ticks;
};
StageTime stageTimes[3] = {};

void ChargeStage(HACMSTREAM stream, LONGLONG ticks) {
    for (StageTime& stage : stageTimes) {
        if (stage.stream == stream || !stage.stream) {
            stage.stream = stream;
            stage.ticks += ticks;
            return;
        }
    }
}

using ConvertFn = MMRESULT(WINAPI*)(HACMSTREAM, LPACMSTREAMHEADER, DWORD);
using ReadFn = BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
using WriteFn = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
using OpenFn = MMRESULT(WINAPI*)(LPHACMSTREAM, HACMDRIVER, LPWAVEFORMATEX, LPWAVEFORMATEX, LPWAVEFILTER, DWORD_PTR,
                                 DWORD_PTR, DWORD);
ConvertFn realConvert = nullptr;
OpenFn realOpen = nullptr;
LONGLONG openTicks = 0;
ReadFn realRead = nullptr;
WriteFn realWrite = nullptr;

MMRESULT WINAPI TimedConvert(HACMSTREAM stream, LPACMSTREAMHEADER header, DWORD flags) {
    const LONGLONG start = Now();
    if (firstConversion == 0) {
        firstConversion = start;
    }
    const MMRESULT result = realConvert(stream, header, flags);
    lastConversionEnd = Now();
    codecTicks += lastConversionEnd - start;
    ChargeStage(stream, lastConversionEnd - start);
    ++conversions;
    return result;
}

// Opening a stream loads and starts the codec's driver.
MMRESULT WINAPI TimedOpen(LPHACMSTREAM stream, HACMDRIVER driver, LPWAVEFORMATEX in, LPWAVEFORMATEX out,
                          LPWAVEFILTER filter, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
    const LONGLONG start = Now();
    const MMRESULT result = realOpen(stream, driver, in, out, filter, callback, instance, flags);
    openTicks += Now() - start;
    return result;
}

BOOL WINAPI TimedRead(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done, LPOVERLAPPED overlapped) {
    const LONGLONG start = Now();
    const BOOL result = realRead(file, buffer, count, done, overlapped);
    (GetCurrentThreadId() == jobThread ? fileTicks : behindTicks) += Now() - start;
    return result;
}

BOOL WINAPI TimedWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done, LPOVERLAPPED overlapped) {
    const LONGLONG start = Now();
    const BOOL result = realWrite(file, buffer, count, done, overlapped);
    (GetCurrentThreadId() == jobThread ? fileTicks : behindTicks) += Now() - start;
    return result;
}

// Points this program's import of dll!name at replacement and gives the
// original, so that the jobs, linked in unchanged, are timed at the platform
// boundary. Null when the program does not import it.
void* Wrap(const char* dll, const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (_stricmp(reinterpret_cast<char*>(base + imp->Name), dll) != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) != 0) {
                continue;
            }
            DWORD old;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            void* original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return original;
        }
    }
    return nullptr;
}

// The same for a delay-loaded call, which goes through a stub of the program,
// "jmp [slot]", whose slot first points at the loader's resolver. The real
// function comes from the DLL itself: the resolver would otherwise write it
// over the replacement on the first call.
void* WrapDelayLoaded(void* stub, const char* dll, const char* name, void* replacement) {
    const auto* code = static_cast<const BYTE*>(stub);
    constexpr BYTE kJumpIndirect[] = {0xFF, 0x25};
    const HMODULE module = LoadLibraryA(dll);
    void* original = module ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
    if (!original || std::memcmp(code, kJumpIndirect, sizeof kJumpIndirect) != 0) {
        return nullptr;
    }
    int32_t operand = 0;
    std::memcpy(&operand, code + sizeof kJumpIndirect, sizeof operand);
#ifdef _WIN64
    // Relative to the end of the six-byte instruction.
    auto* slot = reinterpret_cast<void**>(const_cast<BYTE*>(code) + sizeof kJumpIndirect + sizeof operand + operand);
#else
    auto* slot = reinterpret_cast<void**>(static_cast<uintptr_t>(static_cast<uint32_t>(operand)));
#endif
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = replacement;
    VirtualProtect(slot, sizeof *slot, old, &old);
    return original;
}

// msacm32 is delay-loaded, as the converter loads it; an import of it is
// taken too, should a build link it directly.
void* WrapAcm(const char* name, void* stub, void* replacement) {
    void* original = Wrap("msacm32.dll", name, replacement);
    return original ? original : WrapDelayLoaded(stub, "msacm32.dll", name, replacement);
}

bool WrapPlatformCalls() {
    realConvert = reinterpret_cast<ConvertFn>(WrapAcm("acmStreamConvert", reinterpret_cast<void*>(&acmStreamConvert),
                                                      reinterpret_cast<void*>(&TimedConvert)));
    realOpen = reinterpret_cast<OpenFn>(
        WrapAcm("acmStreamOpen", reinterpret_cast<void*>(&acmStreamOpen), reinterpret_cast<void*>(&TimedOpen)));
    realRead = reinterpret_cast<ReadFn>(Wrap("kernel32.dll", "ReadFile", reinterpret_cast<void*>(&TimedRead)));
    realWrite = reinterpret_cast<WriteFn>(Wrap("kernel32.dll", "WriteFile", reinterpret_cast<void*>(&TimedWrite)));
    return realConvert && realOpen && realRead && realWrite;
}

constexpr size_t kFilePiece = 1024 * 1024;

// All of source read, bytes written to a new destination.
bool CopyFloor(const std::wstring& source, const std::wstring& destination, uint64_t bytes) {
    std::unique_ptr<Win32File> in = Win32File::OpenForReading(source);
    std::unique_ptr<Win32File> out = Win32File::CreateAnew(destination);
    if (!in || !out) {
        return false;
    }
    std::vector<uint8_t> piece(kFilePiece);
    while (in->Read(piece.data(), piece.size()) == piece.size()) {
    }
    for (uint64_t left = bytes; left > 0;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(left, piece.size()));
        if (!out->Write(piece.data(), n)) {
            return false;
        }
        left -= n;
    }
    return true;
}

// Also times the message pump, the one per-block cost of a job
// that is neither codec nor file work.
class BenchHost : public JobTestHost {
public:
    void ProcessMessages() override {
        const LONGLONG start = Now();
        JobTestHost::ProcessMessages();
        pumpTicks += Now() - start;
    }
    // Only the last value: a list of every report would grow with the file.
    void SetProStatus(int percent) override { lastPercent = percent; }
    LONGLONG pumpTicks = 0;
    int lastPercent = 0;
};

int SelectMp3(const JobTestHost& host, uint16_t channels, uint32_t rate, uint32_t kbps) {
    for (size_t i = 0; i < host.mp3Formats.size(); ++i) {
        const core::WaveFormatRecord& r = host.mp3Formats[i];
        if (r.Channels() == channels && r.SamplesPerSec() == rate && r.AvgBytesPerSec() == kbps * 1000 / 8) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int Usage() {
    std::fprintf(stderr, "usage: jobbench mp3wav|mp3cdwav SRC DST | wav2wav SRC DST CH RATE BITS | "
                         "wavmp3 SRC DST CH RATE KBPS | filecopy SRC DST BYTES\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        return Usage();
    }
    const std::wstring mode = argv[1];
    const auto number = [&](int i) { return static_cast<uint32_t>(argc > i ? std::wcstoul(argv[i], nullptr, 10) : 0); };
    if (!WrapPlatformCalls()) {
        std::fprintf(stderr, "jobbench: acmStreamConvert, ReadFile or WriteFile is not imported\n");
        return 1;
    }
    if (mode == L"filecopy") {
        const LONGLONG start = Now();
        if (!CopyFloor(argv[2], argv[3], std::wcstoull(argv[4], nullptr, 10))) {
            std::fprintf(stderr, "jobbench: the copy failed\n");
            return 1;
        }
        std::printf("job_seconds=%.4f\n", Seconds(Now() - start));
        return 0;
    }
    BenchHost host;
    JobKind job = JobKind::Mp3ToWav;
    if (mode == L"mp3wav") {
        job = JobKind::Mp3ToWav;
    } else if (mode == L"mp3cdwav") {
        job = JobKind::Mp3ToCdWav;
    } else if (mode == L"wav2wav") {
        job = JobKind::WavToWav;
        host.pcmIndex = host.FindPcm(static_cast<uint16_t>(number(4)), number(5), static_cast<uint16_t>(number(6)));
    } else if (mode == L"wavmp3") {
        if (!host.CodecListsMp3()) {
            std::printf("skipped: no installed codec lists an MPEG layer-3 format\n");
            return 0;
        }
        job = JobKind::WavToMp3;
        host.mp3Index = SelectMp3(host, static_cast<uint16_t>(number(4)), number(5), number(6));
    } else {
        return Usage();
    }
    jobThread = GetCurrentThreadId();
    const LONGLONG start = Now();
    try {
        RunConversion(host.Request(job, argv[2], argv[3]), host);
    } catch (const JobFailure& failure) {
        std::fprintf(stderr, "jobbench: %ls\n", failure.Message().c_str());
        return 1;
    }
    const LONGLONG elapsed = Now() - start;
    for (const std::wstring& message : host.messages) {
        std::fprintf(stderr, "jobbench: %ls\n", message.c_str());
    }
    if (!host.messages.empty()) {
        return 1;
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf(
        "job_seconds=%.4f setup_seconds=%.4f closing_seconds=%.4f codec_seconds=%.4f file_seconds=%.4f "
        "pump_seconds=%.4f stream_open_seconds=%.4f conversions=%ld peak_working_set_mb=%.1f behind_seconds=%.4f\n",
        Seconds(elapsed), Seconds(firstConversion - start), Seconds(start + elapsed - lastConversionEnd),
        Seconds(codecTicks), Seconds(fileTicks), Seconds(host.pumpTicks), Seconds(openTicks), conversions,
        static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0), Seconds(behindTicks));
    std::printf("stage1_seconds=%.4f stage2_seconds=%.4f stage3_seconds=%.4f\n", Seconds(stageTimes[0].ticks),
                Seconds(stageTimes[1].ticks), Seconds(stageTimes[2].ticks));
    return 0;
}

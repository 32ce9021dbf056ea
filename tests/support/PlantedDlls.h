#pragma once
// DLLs planted beside a program, as anyone may leave them in a download folder,
// and whether the program loaded them. Each planted file is a marker DLL that
// leaves "<name>.loaded" beside itself when a process loads it.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// DLLs that are no KnownDLLs and that the suite's programs, or Windows' own
// code in them, load by bare name. Not version.dll: Wine's own user32 imports
// it, so Wine takes it from the program's folder before any program code runs,
// where Windows' user32, a KnownDLL, imports no such DLL.
const std::vector<std::wstring>& PlantableDllNames();

// A copy of the marker DLL under each name in folder.
void PlantMarkerDlls(const std::wstring& folder, const std::vector<std::wstring>& names = PlantableDllNames());
// The planted names that a process has loaded.
std::vector<std::wstring> LoadedMarkerDlls(const std::wstring& folder,
                                           const std::vector<std::wstring>& names = PlantableDllNames());

// Wine prefers its built-in DLLs; while this lives, programs that the test
// starts search for the named DLLs as Windows does, and load a DLL file found
// first on the search path. Wine reads WINEDLLOVERRIDES from the host
// environment it was started in, which a Windows parent cannot hand on, so the
// overrides go into the prefix's registry for that time.
class NativeDllsFirst {
public:
    explicit NativeDllsFirst(const std::vector<std::wstring>& names = PlantableDllNames());
    ~NativeDllsFirst();
    NativeDllsFirst(const NativeDllsFirst&) = delete;
    NativeDllsFirst& operator=(const NativeDllsFirst&) = delete;

private:
    // Each override's name and the value it had before, if any.
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> before_;
};

// A console program that loads version.dll by bare name, limits the DLL search
// as the suite's programs do, and then loads dwmapi.dll; exit code 0 when both loaded.
std::wstring LoadProbeExe();

} // namespace testsupport

#include "PlantedDlls.h"

#include "HostTool.h"
#include "TestFiles.h"

#include <windows.h>

namespace testsupport {

namespace {

const wchar_t kOverridesKey[] = L"Software\\Wine\\DllOverrides";

std::wstring MarkerOf(const std::wstring& folder, const std::wstring& name) {
    return folder + L"\\" + name + L".loaded";
}

// Wine names a module without ".dll", any other extension with it.
std::wstring OverrideName(const std::wstring& name) {
    const size_t dot = name.rfind(L'.');
    return name.compare(dot, std::wstring::npos, L".dll") == 0 ? name.substr(0, dot) : name;
}

} // namespace

const std::vector<std::wstring>& PlantableDllNames() {
    static const std::vector<std::wstring> names = {
        L"uxtheme.dll", L"dwmapi.dll",   L"cryptbase.dll", L"propsys.dll", L"msacm32.dll", L"oleacc.dll",
        L"winmm.dll",   L"msimg32.dll",  L"comctl32.dll",  L"userenv.dll", L"profapi.dll", L"winspool.drv",
        L"secur32.dll", L"netapi32.dll", L"mpr.dll",       L"dbghelp.dll", L"wtsapi32.dll"};
    return names;
}

void PlantMarkerDlls(const std::wstring& folder, const std::vector<std::wstring>& names) {
    const std::wstring marker = WindowsPath(SONARIS_PLANTED_DLL);
    for (const std::wstring& name : names) {
        CopyFileW(marker.c_str(), (folder + L"\\" + name).c_str(), FALSE);
        DeleteFileW(MarkerOf(folder, name).c_str());
    }
}

std::vector<std::wstring> LoadedMarkerDlls(const std::wstring& folder, const std::vector<std::wstring>& names) {
    std::vector<std::wstring> loaded;
    for (const std::wstring& name : names) {
        if (Exists(MarkerOf(folder, name))) {
            loaded.push_back(name);
        }
    }
    return loaded;
}

NativeDllsFirst::NativeDllsFirst(const std::vector<std::wstring>& names) {
    const wchar_t nativeFirst[] = L"native,builtin";
    for (const std::wstring& name : names) {
        const std::wstring module = OverrideName(name);
        wchar_t value[256];
        DWORD size = sizeof value;
        const bool had = RegGetValueW(HKEY_CURRENT_USER, kOverridesKey, module.c_str(), RRF_RT_REG_SZ, nullptr, value,
                                      &size) == ERROR_SUCCESS;
        before_.emplace_back(module, had ? std::optional<std::wstring>(value) : std::nullopt);
        RegSetKeyValueW(HKEY_CURRENT_USER, kOverridesKey, module.c_str(), REG_SZ, nativeFirst, sizeof nativeFirst);
    }
}

NativeDllsFirst::~NativeDllsFirst() {
    for (const auto& [module, value] : before_) {
        if (value) {
            RegSetKeyValueW(HKEY_CURRENT_USER, kOverridesKey, module.c_str(), REG_SZ, value->c_str(),
                            static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverridesKey, module.c_str());
        }
    }
}

std::wstring LoadProbeExe() { return WindowsPath(SONARIS_LOAD_PROBE_EXE); }

} // namespace testsupport

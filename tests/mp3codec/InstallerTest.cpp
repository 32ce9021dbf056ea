// l3codecp.exe, run the way setup and the build's Wine prefix run it.
#include "AcmTestSupport.h"

#include "mp3codec/CodecIdentity.h"
#include "mp3codec/InstallerTexts.h"
#include "support/HostTool.h"
#include "support/PlantedDlls.h"
#include "support/TestFiles.h"
#include "support/WindowWaits.h"
#include "win/Scoped.h"

#include <cwctype>

using namespace acmtest;

namespace {

constexpr DWORD kWaitMs = 60000;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

std::wstring TreeInstaller() { return testsupport::WindowsPath(L3CODECP_UNIX_PATH); }

win::ScopedFile StartInstaller(const std::wstring& arguments, const std::wstring& program = TreeInstaller()) {
    std::wstring command = L"\"" + program + L"\"" + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "l3codecp.exe did not start, error " << GetLastError();
        return win::ScopedFile();
    }
    CloseHandle(process.hThread);
    return win::ScopedFile(process.hProcess);
}

DWORD WaitForExit(HANDLE process) {
    EXPECT_EQ(WaitForSingleObject(process, kWaitMs), WAIT_OBJECT_0) << "l3codecp.exe did not end";
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    return code;
}

// Drivers32 values that load the codec's file, by value name.
std::vector<std::wstring> Registrations() {
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, mp3codec::kDrivers32Key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        BYTE data[1024];
        DWORD nameLength = 256, dataSize = sizeof(data) - sizeof(wchar_t), type = 0;
        const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &dataSize);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ) {
            continue;
        }
        data[dataSize] = data[dataSize + 1] = 0;
        if (Lower(reinterpret_cast<wchar_t*>(data)) == Lower(mp3codec::kDriverFileName)) {
            names.push_back(name);
        }
    }
    RegCloseKey(key);
    return names;
}

std::wstring PriorityName(size_t position) { return L"Priority" + std::to_wstring(position); }

// The current user's driver priorities in their order, as msacm32 reads them.
std::vector<std::wstring> Priorities() {
    std::vector<std::wstring> entries;
    wchar_t value[256];
    for (DWORD size = sizeof(value);
         RegGetValueW(HKEY_CURRENT_USER, mp3codec::kDriverPriorityKey, PriorityName(entries.size() + 1).c_str(),
                      RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS;
         size = sizeof(value)) {
        entries.push_back(Lower(value));
    }
    return entries;
}

void SetPriorities(const std::vector<std::wstring>& entries) {
    RegDeleteKeyW(HKEY_CURRENT_USER, mp3codec::kDriverPriorityKey);
    for (size_t i = 0; i < entries.size(); ++i) {
        RegSetKeyValueW(HKEY_CURRENT_USER, mp3codec::kDriverPriorityKey, PriorityName(i + 1).c_str(), REG_SZ,
                        entries[i].c_str(), static_cast<DWORD>((entries[i].size() + 1) * sizeof(wchar_t)));
    }
}

} // namespace

TEST(CodecInstaller, RunTwiceLeavesExactlyOneRegistration) {
    const std::wstring ours = L"1, " + Lower(mp3codec::kDriverAlias);
    SetPriorities({L"1, msacm.imaadpcm", L"0, msacm.msg711", ours, L"1, msacm.msadpcm"});
    for (int run = 0; run < 2; ++run) {
        win::ScopedFile process = StartInstaller(L" /S");
        ASSERT_TRUE(process);
        EXPECT_EQ(WaitForExit(process.get()), 0u);
    }
    EXPECT_EQ(Registrations(), std::vector<std::wstring>{mp3codec::kDriverAlias});
    // First, once, and the others keep their order and their enabled state.
    EXPECT_EQ(Priorities(),
              (std::vector<std::wstring>{ours, L"1, msacm.imaadpcm", L"0, msacm.msg711", L"1, msacm.msadpcm"}));
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring driver = std::wstring(system) + L"\\" + mp3codec::kDriverFileName;
    EXPECT_NE(GetFileAttributesW(driver.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW((driver + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(CodecInstaller, SaysSoInAMessageBoxWithoutTheSilentSwitch) {
    win::ScopedFile process = StartInstaller(L"");
    ASSERT_TRUE(process);
    const testsupport::MessageBoxSeen box = testsupport::WaitForMessageBox(GetProcessId(process.get()));
    ASSERT_NE(box.window, nullptr) << "no message box";
    EXPECT_EQ(box.caption, mp3codec::texts::kCaption);
    EXPECT_NE(box.text.find(L"se ha instalado correctamente"), std::wstring::npos) << testsupport::Narrow(box.text);
    testsupport::Answer(box, IDOK);
    EXPECT_EQ(WaitForExit(process.get()), 0u);
}

TEST(CodecInstaller, LoadsNoDllPlantedBesideIt) {
    const std::wstring folder = testsupport::WorkFile(L"plantado");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\l3codecp.exe";
    ASSERT_TRUE(CopyFileW(TreeInstaller().c_str(), copy.c_str(), FALSE));
    testsupport::PlantMarkerDlls(folder);
    {
        testsupport::NativeDllsFirst nativeFirst;
        win::ScopedFile process = StartInstaller(L"", copy);
        ASSERT_TRUE(process);
        const testsupport::MessageBoxSeen box = testsupport::WaitForMessageBox(GetProcessId(process.get()));
        ASSERT_NE(box.window, nullptr) << "no message box";
        testsupport::Answer(box, IDOK);
        EXPECT_EQ(WaitForExit(process.get()), 0u);
    }
    EXPECT_EQ(testsupport::LoadedMarkerDlls(folder), std::vector<std::wstring>{});
}

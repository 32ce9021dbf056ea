// l3codecp.exe, run the way setup and the build's Wine prefix run it.
#include "AcmTestSupport.h"

#include "mp3codec/CodecIdentity.h"
#include "mp3codec/InstallerTexts.h"
#include "support/HostTool.h"
#include "support/PlantedDlls.h"
#include "support/Process.h"
#include "support/TestFiles.h"
#include "support/WindowWaits.h"
#include "win/Scoped.h"

#include <cwctype>
#include <memory>

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

std::unique_ptr<testsupport::Process> StartInstaller(const std::wstring& arguments,
                                                     const std::wstring& program = TreeInstaller()) {
    auto process = std::make_unique<testsupport::Process>(program, L"", arguments);
    if (!process->Started()) {
        ADD_FAILURE() << "l3codecp.exe did not start, error " << GetLastError();
    }
    return process;
}

DWORD WaitForExit(const testsupport::Process& process) {
    EXPECT_TRUE(process.HasEnded(kWaitMs)) << "l3codecp.exe did not end";
    return process.ExitCode();
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

std::wstring InstalledDriver() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\" + mp3codec::kDriverFileName;
}

using testsupport::Exists;

DWORD RunInstaller(const std::wstring& arguments) {
    const auto process = StartInstaller(arguments);
    return process->Started() ? WaitForExit(*process) : STILL_ACTIVE;
}

bool HasValue(const wchar_t* keyPath, const wchar_t* name) {
    return RegGetValueW(HKEY_LOCAL_MACHINE, keyPath, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Windows' list of what to rename or delete at the next restart, as one text.
std::wstring PendingRenames() {
    wchar_t list[8192] = {};
    DWORD size = sizeof(list) - 2 * sizeof(wchar_t);
    RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager",
                 L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, list, &size);
    std::wstring text(list, size / sizeof(wchar_t));
    for (wchar_t& c : text) {
        c = c == L'\0' ? L'|' : static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

} // namespace

TEST(CodecInstaller, RunTwiceLeavesExactlyOneRegistration) {
    const std::wstring ours = L"1, " + Lower(mp3codec::kDriverAlias);
    SetPriorities({L"1, msacm.imaadpcm", L"0, msacm.msg711", ours, L"1, msacm.msadpcm"});
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(RunInstaller(L"/S"), 0u);
    }
    EXPECT_EQ(Registrations(), std::vector<std::wstring>{mp3codec::kDriverAlias});
    // The entry that earlier versions wrote goes; the others keep their order and their enabled state.
    EXPECT_EQ(Priorities(), (std::vector<std::wstring>{L"1, msacm.imaadpcm", L"0, msacm.msg711", L"1, msacm.msadpcm"}));
    EXPECT_TRUE(Exists(InstalledDriver()));
    EXPECT_FALSE(Exists(InstalledDriver() + L".new"));
}

TEST(CodecInstaller, RemovesEverythingSilentlyAndTwiceHarmlessly) {
    SetPriorities({L"1, " + Lower(mp3codec::kDriverAlias), L"1, msacm.imaadpcm"});
    // In use by this process: it cannot be deleted, so it goes aside until the next restart.
    const HMODULE loaded = LoadLibraryW(InstalledDriver().c_str());
    ASSERT_NE(loaded, nullptr);
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(RunInstaller(L"/U"), 0u) << "run " << run;
        EXPECT_TRUE(Registrations().empty());
        EXPECT_FALSE(HasValue(mp3codec::kDriverDescriptionsKey, mp3codec::kDriverFileName));
        EXPECT_EQ(Priorities(), std::vector<std::wstring>{L"1, msacm.imaadpcm"});
        EXPECT_FALSE(Exists(InstalledDriver()));
        EXPECT_EQ(FindCodecDriver(), nullptr);
    }
    FreeLibrary(loaded);
    const std::wstring aside = InstalledDriver() + L".1.old";
    EXPECT_TRUE(Exists(aside));
    EXPECT_NE(PendingRenames().find(Lower(aside)), std::wstring::npos) << "not marked for deletion";
    DeleteFileW(aside.c_str());
    // The other tests of this session need the codec.
    EXPECT_EQ(RunInstaller(L"/S"), 0u);
    EXPECT_TRUE(Exists(InstalledDriver()));
}

TEST(CodecInstaller, ReplacesADriverThatAProgramHasLoaded) {
    // An older driver differs from the carried one; this process keeps it loaded.
    Bytes older = ReadByteVector(testsupport::WindowsPath(SONARMP3_UNIX_PATH));
    older.push_back(0);
    const std::wstring driver = InstalledDriver();
    WriteBytes(driver, older);
    const HMODULE loaded = LoadLibraryW(driver.c_str());
    ASSERT_NE(loaded, nullptr);

    const auto process = StartInstaller(L"");
    ASSERT_TRUE(process->Started());
    const testsupport::MessageBoxSeen box = testsupport::WaitForMessageBox(process->Id());
    ASSERT_NE(box.window, nullptr) << "no message box";
    testsupport::Answer(box, IDOK);
    EXPECT_EQ(WaitForExit(*process), 0u) << testsupport::Narrow(box.text);
    FreeLibrary(loaded);

    EXPECT_EQ(ReadByteVector(driver).size(), older.size() - 1) << "the old driver stayed";
    // A loaded image cannot be replaced, on Windows as under Wine; it was renamed.
    const std::wstring aside = driver + L".1.old";
    EXPECT_TRUE(Exists(aside));
    EXPECT_NE(box.text.find(aside), std::wstring::npos) << testsupport::Narrow(box.text);
    EXPECT_NE(box.text.find(L"se borrará al reiniciar Windows"), std::wstring::npos);
    EXPECT_NE(PendingRenames().find(Lower(aside)), std::wstring::npos) << "not marked for deletion";
    DeleteFileW(aside.c_str());
}

TEST(CodecInstaller, LoadsNoDllPlantedBesideIt) {
    const std::wstring folder = testsupport::WorkFile(L"plantado");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\l3codecp.exe";
    ASSERT_TRUE(CopyFileW(TreeInstaller().c_str(), copy.c_str(), FALSE));
    testsupport::PlantMarkerDlls(folder);
    {
        testsupport::NativeDllsFirst nativeFirst;
        const auto process = StartInstaller(L"", copy);
        ASSERT_TRUE(process->Started());
        const testsupport::MessageBoxSeen box = testsupport::WaitForMessageBox(process->Id());
        ASSERT_NE(box.window, nullptr) << "no message box";
        testsupport::Answer(box, IDOK);
        EXPECT_EQ(WaitForExit(*process), 0u);
    }
    EXPECT_EQ(testsupport::LoadedMarkerDlls(folder), std::vector<std::wstring>{});
}

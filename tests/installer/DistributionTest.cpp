#include "InstallerFixture.h"

#include "core/InstallLog.h"
#include "ui/UiTestSupport.h"
#include "ui/resource.h"

#include <algorithm>

namespace installer {
namespace {

// The suite's own distribution of this tree, installed and removed again.
class DistributionTest : public InstallerTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(core::ParseInstallLog(ReadBytes(DistributionDir() + L"\\Install.log"), "", log_));
        for (size_t k = 0; k < log_.EntryCount; ++k) {
            std::wstring name = Widen1252(log_.Entries[k].FileName);
            if (!Exists(DistributionDir() + L"\\" + name)) {
                GTEST_SKIP() << "the distribution lacks " << log_.Entries[k].FileName << " (not built in this tree)";
            }
        }
    }

    core::InstallLogRecord log_;
};

// The installed copy, with the codec the installation registered, as a user
// runs it: a WAV to MP3 run at 44.1 kHz, then the window closed.
void ConvertsAWavToMp3(const std::wstring& converterExe) {
    uitest::Converter converter(converterExe);
    ASSERT_TRUE(converter.Main()) << "the installed converter showed no window";
    ASSERT_GE(uitest::SelectFormat(converter, IDC_MAIN_MP3FORMAT, {L"44.100 Hz"}), 0)
        << "the installed converter offers no 44100 Hz MP3 format";
    const std::wstring wav = uitest::WorkFile(L"instalado.wav"), mp3 = uitest::WorkFile(L"instalado.mp3");
    const std::wstring back = uitest::WorkFile(L"instalado-vuelta.wav");
    DeleteFileW(mp3.c_str());
    testsupport::RunHostOrFail("sox -n -r 44100 -c 2 -b 16 " + testsupport::ShellPath(wav) + " synth 2 sine 440");
    uitest::RunSingle(converter, IDC_MAIN_INPUT2ED, wav, IDC_MAIN_OUTPUT2ED, mp3, IDC_MAIN_GOBTN3);
    testsupport::RunHostOrFail("mpg123 -q -w " + testsupport::ShellPath(back) + " " + testsupport::ShellPath(mp3));
    const std::string info = uitest::SoxInfo(back);
    EXPECT_EQ(info.substr(0, info.rfind(' ')), "44100 2 16");
    PostMessageW(converter.Main(), WM_CLOSE, 0, 0);
    Answer(converter.WaitForMessageBox(), IDOK);
    EXPECT_TRUE(converter.WaitForExit());
}

std::wstring RegisteredCodecDriver(const std::wstring& fileName) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return {};
    }
    std::wstring found;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        wchar_t data[MAX_PATH];
        DWORD nameSize = 256, dataSize = sizeof data;
        if (RegEnumValueW(key, i, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        std::wstring driver = data;
        if (_wcsnicmp(name, L"msacm.", 6) == 0 && driver.size() >= fileName.size() &&
            _wcsicmp(driver.substr(driver.size() - fileName.size()).c_str(), fileName.c_str()) == 0) {
            found = name;
        }
    }
    RegCloseKey(key);
    return found;
}

BOOL CALLBACK KeepFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<std::wstring*>(found) =
        IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
    return FALSE;
}

// The first icon group is the one Explorer and shortcuts show.
std::wstring FirstIconGroup(HMODULE image) {
    std::wstring first;
    EnumResourceNamesW(image, RT_GROUP_ICON, KeepFirstName, reinterpret_cast<LONG_PTR>(&first));
    return first;
}

// Each size the group lists, and the size of the image the loader makes for it.
std::vector<std::pair<int, int>> IconSizes(const std::wstring& program) {
    HMODULE image = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    std::vector<std::pair<int, int>> sizes;
    const std::wstring group = image ? FirstIconGroup(image) : L"";
    HRSRC found = group.empty() ? nullptr : FindResourceW(image, group.c_str(), RT_GROUP_ICON);
    const BYTE* directory = found ? static_cast<const BYTE*>(LockResource(LoadResource(image, found))) : nullptr;
    const int kHeaderBytes = 6, kEntryBytes = 14;
    for (int k = 0; directory && k < *reinterpret_cast<const WORD*>(directory + 4); ++k) {
        const int listed = directory[kHeaderBytes + k * kEntryBytes] ? directory[kHeaderBytes + k * kEntryBytes] : 256;
        int loaded = 0;
        if (HICON icon = static_cast<HICON>(LoadImageW(image, group.c_str(), IMAGE_ICON, listed, listed, 0))) {
            ICONINFO info = {};
            BITMAP bitmap = {};
            if (GetIconInfo(icon, &info) && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) {
                loaded = bitmap.bmWidth;
            }
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
        sizes.push_back({listed, loaded});
    }
    if (image) {
        FreeLibrary(image);
    }
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

TEST_F(DistributionTest, EveryProgramsFirstIconComesInFourSizes) {
    const std::vector<std::pair<int, int>> expected = {{16, 16}, {32, 32}, {48, 48}, {256, 256}};
    for (const wchar_t* program : {L"setup.exe", L"uninstall.exe", L"converter.exe", L"l3codecp.exe"}) {
        EXPECT_EQ(IconSizes(DistributionDir() + L"\\" + program), expected) << program;
    }
}

const std::wstring kSharedFiles = L"Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The codec's driver as the programs of this tree name it in the system folder.
std::wstring SystemDriver() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\sonarmp3.acm";
}

void ForgetSharedCount() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSharedFiles.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, SystemDriver().c_str());
        RegCloseKey(key);
    }
}

TEST_F(DistributionTest, InstallsAndUninstallsTheSuite) {
    // The prefix's codec was installed without a count; the suite's is the only one.
    ForgetSharedCount();
    RemoveUninstallEntry(Widen1252(log_.ProgramName));
    std::wstring target = ProgramFiles() + L"\\" + Widen1252(log_.DefaultTarget);
    std::wstring group = StartMenuPrograms() + L"\\" + Widen1252(log_.GroupName);
    RemoveTree(target);
    ForgetAfterwards(target);
    ForgetGroupAfterwards(log_.GroupName);
    CreateDirectoryW(target.c_str(), nullptr);
    WriteBytes(target + L"\\converter.exe", "an older copy");

    // setup runs from the distribution; the codec installer it starts answers
    // with a box of its own.
    ProgramRun run;
    {
        Process setup(DistributionDir() + L"\\setup.exe");
        HWND main = WaitForWindow(setup.Id(), L"VeltraClass");
        ASSERT_TRUE(main);
        EXPECT_EQ(TextOf(ChildrenOf(main)[5]), target);
        Click(main, L"Continuar");
        MessageBoxSeen codec = WaitForMessageBoxOfProgram(L"l3codecp.exe");
        ASSERT_TRUE(codec.window) << "l3codecp.exe showed nothing";
        Answer(codec, IDOK);
        MessageBoxSeen closing = WaitForMessageBox(setup.Id());
        EXPECT_EQ(closing.text, kInstalledText);
        Answer(closing, IDOK);
        ASSERT_TRUE(setup.HasEnded());
        EXPECT_EQ(setup.ExitCode(), 0u);
    }

    size_t captioned = 0;
    for (size_t k = 0; k < log_.EntryCount; ++k) {
        std::wstring name = Widen1252(log_.Entries[k].FileName);
        EXPECT_EQ(ReadBytes(target + L"\\" + name), ReadBytes(DistributionDir() + L"\\" + name))
            << log_.Entries[k].FileName;
        if (log_.Entries[k].ItemCaption != "NEIN!") {
            ++captioned;
            EXPECT_TRUE(Exists(group + L"\\" + Widen1252(log_.Entries[k].ItemCaption) + L".lnk"));
        }
    }
    EXPECT_EQ(FilesIn(group).size(), captioned);
    EXPECT_EQ(MachineNumber(kSharedFiles, SystemDriver()), 1);
    EXPECT_TRUE(InstalledProgramsList(log_.ProgramName));
    for (size_t k = 0; k < log_.EntryCount; ++k) {
        std::string name = log_.Entries[k].FileName;
        bool driver = name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") != 0 && name != "Install.log";
        if (driver) {
            EXPECT_FALSE(RegisteredCodecDriver(Widen1252(name)).empty()) << name << " is not registered";
        }
    }

    ConvertsAWavToMp3(target + L"\\converter.exe");

    run = Uninstall(target + L"\\uninstall.exe");
    // A codec installer that showed a box instead of removing the codec is
    // answered, so that it ends with the test.
    if (MessageBoxSeen stray = WaitForMessageBoxOfProgram(L"l3codecp.exe", 0); stray.window) {
        ADD_FAILURE() << "the codec installer showed a box while it removed the codec";
        Answer(stray, IDOK);
    }
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_FALSE(run.boxes.empty());
    EXPECT_EQ(run.boxes.back().text, kUninstalledText);
    // The last installation that counted the codec took it away again.
    EXPECT_EQ(MachineNumber(kSharedFiles, SystemDriver()), -1);
    EXPECT_TRUE(RegisteredCodecDriver(L"sonarmp3.acm").empty());
    EXPECT_FALSE(Exists(SystemDriver()));
    EXPECT_FALSE(InstalledProgramsList(log_.ProgramName));
    for (size_t k = 0; k < log_.EntryCount; ++k) {
        std::wstring name = Widen1252(log_.Entries[k].FileName);
        EXPECT_EQ(Exists(target + L"\\" + name), name == L"uninstall.exe") << log_.Entries[k].FileName;
    }
    EXPECT_FALSE(Exists(group));

    // The prefix's codec is put back for the tests that follow.
    Process reinstall(DistributionDir() + L"\\l3codecp.exe", L"", L"/S");
    ASSERT_TRUE(reinstall.HasEnded());
    EXPECT_EQ(reinstall.ExitCode(), 0u);
    EXPECT_FALSE(RegisteredCodecDriver(L"sonarmp3.acm").empty());
}

} // namespace
} // namespace installer

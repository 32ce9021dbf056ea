#include "InstallerFixture.h"

#include "support/HostTool.h"
#include "support/PlantedDlls.h"

#include <algorithm>

namespace installer {
namespace {

const std::string kHeader = "VELTRA (De)Install 2.0 - Install.log\r\nNicht ver\xE4ndern, nicht l\xF6schen!\r\n"
                            "Prueba\r\nVeltraPrueba\r\nGrupo\r\nprueba.grp\r\n";

std::string WithGroup(const std::string& group, const std::string& entryName = "a.txt") {
    return "VELTRA (De)Install 2.0 - Install.log\r\nNicht ver\xE4ndern, nicht l\xF6schen!\r\nPrueba\r\n"
           "VeltraPrueba\r\n" +
           group + "\r\nprueba.grp\r\n1\r\n" + entryName + "\r\nA\r\n\r\n";
}

struct DamagedCase {
    const char* name;
    std::string log; // empty: no Install.log at all
};

std::vector<DamagedCase> DamagedLogs() {
    return {
        {"no log", ""},
        {"wrong signature", "VELTRA (De)Install 2.1 - Install.log\r\n" + kHeader.substr(38) + "0\r\n"},
        {"LF-only line ends", "VELTRA (De)Install 2.0 - Install.log\nNicht ver\xE4ndern, nicht l\xF6schen!\n"
                              "Prueba\nVeltraPrueba\nGrupo\nprueba.grp\n0\n"},
        {"blank after the count", kHeader + "1 \r\na.txt\r\nA\r\n\r\n"},
        {"last caption ends the file", kHeader + "1\r\na.txt\r\nA\r\n"},
        {"Ctrl-Z after the last entry", kHeader + "1\r\na.txt\r\nA\r\n\x1A\r\n"},
        {"count above 100", kHeader + "101\r\na.txt\r\nA\r\n\r\n"},
        {"negative count", kHeader + "-1\r\na.txt\r\nA\r\n\r\n"},
        {"parent directory in a name", kHeader + "1\r\n..\\a.txt\r\nA\r\n\r\n"},
        {"absolute name", kHeader + "1\r\n\\Windows\\a.txt\r\nA\r\n\r\n"},
        {"drive letter in a name", kHeader + "1\r\nC:a.txt\r\nA\r\n\r\n"},
        {"group file outside", "VELTRA (De)Install 2.0 - Install.log\r\nNicht ver\xE4ndern, nicht l\xF6schen!\r\n"
                               "Prueba\r\nVeltraPrueba\r\nGrupo\r\n..\\prueba.grp\r\n0\r\n"},
        {"empty group name", WithGroup("")},
        {"group name ending its command", WithGroup("Grupo\")][DeleteGroup(\"x")},
        {"device name", WithGroup("Grupo", "CON.txt")},
        {"parent directory before a zero byte", WithGroup("Grupo", std::string("..\0x", 4))},
        {"log over 64 KiB", WithGroup("Grupo") + std::string(64 * 1024, ' ')},
    };
}

void ExpectDamagedLogMessage(const std::wstring& exe, const std::wstring& text, const std::wstring& caption) {
    Process program(exe);
    ASSERT_TRUE(program.Started());
    MessageBoxSeen box = WaitForMessageBox(program.Id());
    ASSERT_TRUE(box.window) << "no message";
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_TRUE(HasIcon(box));
    EXPECT_TRUE(HasButton(box, IDOK));
    EXPECT_FALSE(HasButton(box, IDCANCEL));
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
    EXPECT_TRUE(WindowsOf(program.Id(), L"VeltraClass").empty());
    Answer(box, IDOK);
    ASSERT_TRUE(program.HasEnded());
    EXPECT_EQ(program.ExitCode(), 0u);
}

using SetupTest = InstallerTest;

TEST_F(SetupTest, DamagedLogGivesItsMessageAndNothingElse) {
    for (const DamagedCase& c : DamagedLogs()) {
        SCOPED_TRACE(c.name);
        MakeDistribution({});
        std::wstring log = source_ + L"\\Install.log";
        DeleteFileW(log.c_str());
        if (!c.log.empty()) {
            WriteBytes(log, c.log);
        }
        ExpectDamagedLogMessage(source_ + L"\\setup.exe", kSetupDamagedText, kSetupDamagedCaption);
        Process silent(source_ + L"\\setup.exe", L"", L"/S");
        ASSERT_TRUE(silent.HasEnded()) << "a silent run shows no box";
        EXPECT_EQ(silent.ExitCode(), 2u);
    }
}

// Each way to press a button: a click (0), Enter, Space.
const WPARAM kPresses[] = {0, VK_RETURN, VK_SPACE};

TEST_F(SetupTest, QuitAsksFirstAndNoKeepsTheWindow) {
    for (WPARAM key : kPresses) {
        SCOPED_TRACE(testing::Message() << "key " << key);
        LogDescription log;
        log.entries = {{"a.txt", "A"}};
        MakeDistribution(log, {{"a.txt", "a"}});
        std::wstring target = Folder(L"destino") + L"\\nuevo";
        Process setup(source_ + L"\\setup.exe");
        HWND main = WaitForWindow(setup.Id(), L"VeltraClass");
        ASSERT_TRUE(main);
        SendMessageW(ChildrenOf(main)[5], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));

        Press(main, L"Termino", key);
        MessageBoxSeen ask = WaitForMessageBox(setup.Id());
        EXPECT_EQ(ask.text, L"¿Usted desea termino el programa?");
        EXPECT_EQ(ask.caption, L"Termina el programa");
        EXPECT_TRUE(HasIcon(ask));
        EXPECT_EQ(GetWindow(ask.window, GW_OWNER), main);
        Answer(ask, IDNO);
        EXPECT_FALSE(setup.HasEnded(0));
        EXPECT_TRUE(IsWindowVisible(main));
        if (key != 0) {
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == ChildWithText(main, L"Termino"); }))
                << "the keyboard is back on the button";
        }

        Press(main, L"Termino", key);
        Answer(WaitForMessageBox(setup.Id()), IDYES);
        ASSERT_TRUE(setup.HasEnded());
        EXPECT_EQ(setup.ExitCode(), 0u);
        EXPECT_FALSE(Exists(target));
    }
}

TEST_F(SetupTest, TabGoesThroughTheFieldsAndButtonsInReadingOrder) {
    MakeDistribution({});
    Process setup(source_ + L"\\setup.exe");
    HWND main = WaitForWindow(setup.Id(), L"VeltraClass");
    ASSERT_TRUE(main);
    const std::vector<HWND> children = ChildrenOf(main);
    const std::vector<HWND> order = {children[4], children[5], ChildWithText(main, L"Continuar"),
                                     ChildWithText(main, L"Termino"), children[4]};
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == order[0]; })) << "the first field has the keyboard";
    for (size_t i = 1; i < order.size(); ++i) {
        PressAtFocus(main, VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == order[i]; })) << "stop " << i;
    }
}

TEST_F(SetupTest, MainWindowShowsTheLogAndTheDirectories) {
    LogDescription log;
    log.programName = "Prueba Espa\xF1ola";
    MakeDistribution(log);
    Process setup(source_ + L"\\setup.exe");
    HWND main = WaitForWindow(setup.Id(), L"VeltraClass");
    ASSERT_TRUE(main);
    EXPECT_EQ(TextOf(main), L"VELTRA Instal 2.0");
    RECT frame;
    GetWindowRect(main, &frame);
    EXPECT_EQ(frame.right - frame.left, 520);
    EXPECT_EQ(frame.bottom - frame.top, 360);

    std::vector<HWND> controls = ChildrenOf(main);
    ASSERT_EQ(controls.size(), 8u);
    const std::wstring texts[] = {L"¡Bienvenido del programa de la instalación de Prueba Española !",
                                  L"Fuente:",
                                  L"Destino:",
                                  L"El programa tiene un programa de la desinstalación.",
                                  source_ + L"\\",
                                  ProgramFiles() + L"\\VeltraPrueba",
                                  L"Continuar",
                                  L"Termino"};
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(TextOf(controls[i]), texts[i]) << i;
        EXPECT_EQ(GetDlgCtrlID(controls[i]), 0) << i;
    }
    POINT inside = {frame.left + 260, frame.top + 200};
    EXPECT_EQ(SendMessageW(main, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);

    // A change of a field's text is an edit notification and starts nothing.
    SendMessageW(controls[5], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\otro"));
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(controls[5]));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(WindowsOf(setup.Id(), L"(De)InstallWndclass").empty());
}

TEST_F(SetupTest, InstallsTheListedFilesAndTheirGroup) {
    LogDescription log;
    log.groupName = "Veltra (Prueba), Setup";
    log.entries = {
        {"programa.exe", "Programa (a), b"}, {"leame.txt", "nein!"},  {"datos.dat", "NEIN!"}, {"falta.dat", "NEIN!"},
        {"uninstall.exe", "Desinstalar"},    {"Install.log", "NEIN!"}};
    MakeDistribution(log, {{"programa.exe", "programa"},
                           {"leame.txt", "l\xE9"
                                         "ame"},
                           {"datos.dat", "datos nuevos"}});
    std::wstring target = Folder(L"destino");
    WriteBytes(target + L"\\datos.dat", "datos viejos que son mas largos");
    std::wstring group = StartMenuPrograms() + L"\\Veltra (Prueba), Setup";
    ForgetGroupAfterwards(log.groupName);

    ProgramRun run = Install(target);

    ASSERT_EQ(run.boxes.size(), 3u);
    EXPECT_EQ(run.boxes[0].text,
              L"¡No poder copiar de fichero \r\n" + source_ + L"\\falta.dat\r\n a \r\n" + target + L"\\falta.dat !");
    EXPECT_EQ(run.boxes[0].caption, L"Error");
    EXPECT_EQ(run.boxes[1].text, source_ + L"\\l3codecp.exe");
    EXPECT_EQ(run.boxes[1].caption, L"dd");
    EXPECT_FALSE(HasIcon(run.boxes[1]));
    // One file was missing: no success text.
    EXPECT_EQ(run.boxes[2].text, IncompleteInstallText(1, 6));
    EXPECT_EQ(run.boxes[2].caption, kInstalledCaption);
    EXPECT_TRUE(HasIcon(run.boxes[2]));
    EXPECT_EQ(run.exitCode, 0u);

    // The installed uninstaller lists the product for the system.
    EXPECT_EQ(UninstallEntryValue(kTestProduct, L"DisplayName"), kTestProduct);
    EXPECT_EQ(UninstallEntryValue(kTestProduct, L"InstallLocation"), target);
    EXPECT_EQ(UninstallEntryValue(kTestProduct, L"UninstallString"), L"\"" + target + L"\\uninstall.exe\"");
    EXPECT_EQ(UninstallEntryValue(kTestProduct, L"DisplayIcon"), target + L"\\programa.exe");
    EXPECT_EQ(UninstallEntryValue(kTestProduct, L"Publisher"), L"VELTRA");
    const std::wstring entry = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + kTestProduct;
    EXPECT_EQ(MachineNumber(entry, L"NoModify"), 1);
    EXPECT_EQ(MachineNumber(entry, L"NoRepair"), 1);
    EXPECT_GE(MachineNumber(entry, L"EstimatedSize"), 1);

    for (const char* name : {"programa.exe", "leame.txt", "datos.dat", "uninstall.exe", "Install.log"}) {
        std::wstring file = testsupport::Widen(name);
        EXPECT_EQ(ReadBytes(target + L"\\" + file), ReadBytes(source_ + L"\\" + file)) << name;
    }
    EXPECT_FALSE(Exists(target + L"\\falta.dat"));

    std::vector<std::wstring> items = FilesIn(group);
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::wstring>{L"Desinstalar.lnk", L"Programa (a), b.lnk", L"nein!.lnk"}));
}

// What the next test looks for can be seen: the probe loads the DLL planted
// beside it until it limits the search as the programs do.
TEST_F(SetupTest, PlantedDllLoadsOnlyWhileNothingLimitsTheSearch) {
    const std::wstring folder = Folder(L"sonda");
    CopyTo(testsupport::LoadProbeExe(), folder + L"\\loadprobe.exe");
    const std::vector<std::wstring> planted = {L"version.dll", L"dwmapi.dll"};
    testsupport::PlantMarkerDlls(folder, planted);
    {
        testsupport::NativeDllsFirst nativeFirst(planted);
        Process probe(folder + L"\\loadprobe.exe");
        ASSERT_TRUE(probe.HasEnded());
        EXPECT_EQ(probe.ExitCode(), 0u);
    }
    EXPECT_EQ(testsupport::LoadedMarkerDlls(folder, planted), std::vector<std::wstring>{L"version.dll"});
}

TEST_F(SetupTest, NoPlantedDllLoadsInSetupOrUninstall) {
    LogDescription log;
    log.groupName = "Veltra Prueba Plantada";
    log.entries = {{"uninstall.exe", "Desinstalar"}, {"Install.log", "NEIN!"}};
    MakeDistribution(log);
    ForgetGroupAfterwards(log.groupName);
    const std::wstring target = Folder(L"destino");
    testsupport::PlantMarkerDlls(source_);
    {
        testsupport::NativeDllsFirst nativeFirst;
        Install(target);
        testsupport::PlantMarkerDlls(target);
        Uninstall(target + L"\\uninstall.exe");
    }
    EXPECT_EQ(testsupport::LoadedMarkerDlls(source_), std::vector<std::wstring>{});
    EXPECT_EQ(testsupport::LoadedMarkerDlls(target), std::vector<std::wstring>{});
}

TEST_F(SetupTest, EmptyOrRelativeDirectoryIsRefusedAndTheWindowStays) {
    MakeDistribution({});
    const std::pair<size_t, std::wstring> fields[] = {
        {5, L""}, {5, L"relativo"}, {5, L"C:relativo"}, {5, L"\\sin\\unidad"}, {4, L""}, {4, L"fuente"}};
    for (const auto& [control, text] : fields) {
        SCOPED_TRACE(testing::Message() << control << " " << testing::PrintToString(text));
        Process setup(source_ + L"\\setup.exe");
        HWND main = WaitForWindow(setup.Id(), L"VeltraClass");
        ASSERT_TRUE(main);
        SendMessageW(ChildrenOf(main)[control], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        Click(main, L"Continuar");
        MessageBoxSeen box = WaitForMessageBox(setup.Id());
        EXPECT_EQ(box.text, L"El directorio no es válido.");
        EXPECT_TRUE(HasIcon(box));
        EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
        Answer(box, IDOK);
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_TRUE(WindowsOf(setup.Id(), L"(De)InstallWndclass").empty());
    }
}

TEST_F(SetupTest, FullDiskIsACopyFailure) {
    LogDescription log;
    log.entries = {{"grande.dat", "NEIN!"}, {"datos.dat", "NEIN!"}, {"a.txt", "NEIN!"}};
    MakeDistribution(log, {{"grande.dat", std::string(5000, 'x')}, {"a.txt", "a"}});
    std::wstring target = Folder(L"destino");
    WriteBytes(target + L"\\datos.dat", "la copia instalada");
    // The source datos.dat opens but cannot be read.
    testsupport::HostResult link = testsupport::RunHost(
        "ln -sf /dev/full " + testsupport::ShellQuote(testsupport::UnixPath(target) + "/grande.dat") +
        " && ln -sf /proc/self/mem " + testsupport::ShellQuote(testsupport::UnixPath(source_) + "/datos.dat"));
    ASSERT_EQ(link.exitCode, 0) << link.output;

    ProgramRun run = Install(target);

    ASSERT_EQ(run.boxes.size(), 4u);
    EXPECT_EQ(run.boxes[0].text,
              L"¡No poder copiar de fichero \r\n" + source_ + L"\\grande.dat\r\n a \r\n" + target + L"\\grande.dat !");
    EXPECT_EQ(run.boxes[3].caption, kInstalledCaption);
    EXPECT_EQ(run.boxes[3].text, IncompleteInstallText(2, 3));
    EXPECT_EQ(ReadBytes(target + L"\\a.txt"), "a");
    EXPECT_EQ(ReadBytes(target + L"\\datos.dat"), "la copia instalada");
    EXPECT_EQ(FilesIn(target).size(), 3u); // no temporary file left
}

// A destination the program may not write to, as root is stopped only by a
// read-only file system: a new folder there, and the mounted folder itself.
TEST_F(SetupTest, ReadOnlyDestinationEndsIncompleteWithoutLinks) {
    LogDescription log;
    log.groupName = "Veltra Solo Lectura";
    log.entries = {{"a.txt", "Uno"}, {"uninstall.exe", "Desinstalar"}, {"Install.log", "NEIN!"}};
    MakeDistribution(log, {{"a.txt", "a"}});
    ForgetGroupAfterwards(log.groupName);
    std::wstring mounted = Folder(L"solo-lectura");
    ReadOnlyMount readOnly(mounted);
    ASSERT_TRUE(readOnly.Mounted());
    for (const std::wstring& target : {mounted + L"\\nuevo", mounted}) {
        SCOPED_TRACE(testing::PrintToString(target));
        ProgramRun run = Install(target);
        ASSERT_EQ(run.boxes.size(), 5u); // three copies, the codec, the closing box
        EXPECT_EQ(run.boxes[4].text, IncompleteInstallText(3, 3));
        EXPECT_EQ(run.boxes[4].caption, kInstalledCaption);
        EXPECT_TRUE(HasIcon(run.boxes[4]));
        for (const std::wstring& programs : {StartMenuPrograms(), CommonStartMenuPrograms()}) {
            EXPECT_TRUE(FilesIn(programs + L"\\Veltra Solo Lectura").empty()) << "a link to a file not copied";
        }
        EXPECT_TRUE(UninstallEntryValue(kTestProduct, L"DisplayName").empty());

        Process silent(source_ + L"\\setup.exe", L"", L"/S /D=" + target);
        ASSERT_TRUE(silent.HasEnded());
        EXPECT_EQ(silent.ExitCode(), 1u);
    }
}

TEST_F(SetupTest, LongTargetIsNotCut) {
    LogDescription log;
    log.entries = {{"a.txt", "NEIN!"}};
    MakeDistribution(log, {{"a.txt", "contenido"}});
    std::wstring parent = Folder(L"largo");
    std::wstring target = parent + L"\\" + std::wstring(150, L'd');
    ASSERT_GT(target.size(), 143u);

    ProgramRun run = Install(target + L"\\");

    ASSERT_EQ(run.boxes.size(), 2u); // the codec box and the closing one
    EXPECT_EQ(ReadBytes(target + L"\\a.txt"), "contenido");
    EXPECT_EQ(FilesIn(parent).size(), 0u);
}

// The registry value is the prefix's, so it is put back whatever happens.
class ProgramFilesValueRemoved {
public:
    ProgramFilesValueRemoved() {
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
        DWORD size = sizeof value_;
        saved_ = RegQueryValueExW(key_, L"ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(value_), &size) ==
                 ERROR_SUCCESS;
        removed_ = RegDeleteValueW(key_, L"ProgramFilesDir") == ERROR_SUCCESS;
    }
    bool Removed() const { return removed_; }
    ~ProgramFilesValueRemoved() {
        if (saved_) {
            RegSetValueExW(key_, L"ProgramFilesDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value_),
                           static_cast<DWORD>((wcslen(value_) + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    wchar_t value_[MAX_PATH] = {};
    bool saved_ = false;
    bool removed_ = false;
};

TEST_F(SetupTest, WithoutProgramFilesDirTheTargetIsInProgramFiles) {
    MakeDistribution({});
    std::wstring expected = ProgramFiles() + L"\\VeltraPrueba";
    std::wstring shown;
    {
        ProgramFilesValueRemoved removed;
        ASSERT_TRUE(removed.Removed());
        Process setup(source_ + L"\\setup.exe");
        HWND main = WaitForWindow(setup.Id(), L"VeltraClass");
        ASSERT_TRUE(main);
        shown = TextOf(ChildrenOf(main)[5]);
    }
    EXPECT_EQ(shown, expected);
}

} // namespace
} // namespace installer

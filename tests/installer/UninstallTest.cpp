#include "InstallerFixture.h"

#include "support/HostTool.h"

namespace installer {
namespace {

using UninstallTest = InstallerTest;

// An installed copy: uninstall.exe, its log and the listed files in one folder.
std::wstring MakeInstalledCopy(const std::wstring& folder, const LogDescription& log, const Files& files) {
    CopyTo(UninstallExe(), folder + L"\\uninstall.exe");
    WriteBytes(folder + L"\\Install.log", LogText(log));
    for (const auto& [name, bytes] : files) {
        WriteBytes(folder + L"\\" + Widen1252(name), bytes);
    }
    return folder + L"\\uninstall.exe";
}

TEST_F(UninstallTest, DamagedLogGivesItsMessageAndDeletesNothing) {
    struct Case {
        const char* name;
        std::string count;
        std::string fileName;
        bool writeLog;
    };
    const Case cases[] = {
        {"no log (a second run)", "1", "victima.txt", false},
        {"parent directory in a name", "1", "..\\victima.txt", true},
        {"count above 100", "101", "victima.txt", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring outer = Folder(L"fuera");
        std::wstring installed = outer + L"\\programa";
        CreateDirectoryW(installed.c_str(), nullptr);
        WriteBytes(outer + L"\\victima.txt", "sigue");
        LogDescription log;
        log.count = c.count;
        log.entries = {{c.fileName, "NEIN!"}};
        std::wstring exe = MakeInstalledCopy(installed, log, {{"victima.txt", "sigue"}});
        if (!c.writeLog) {
            DeleteFileW((installed + L"\\Install.log").c_str());
        }
        Process uninstall(exe);
        MessageBoxSeen box = WaitForMessageBox(uninstall.Id());
        EXPECT_EQ(box.text, kUninstallDamagedText);
        EXPECT_EQ(box.caption, kUninstallDamagedCaption);
        EXPECT_TRUE(HasIcon(box));
        EXPECT_TRUE(WindowsOf(uninstall.Id(), L"VeltraClass").empty());
        Answer(box, IDOK);
        ASSERT_TRUE(uninstall.HasEnded());
        EXPECT_EQ(uninstall.ExitCode(), 0u);
        Process silent(exe, L"", L"/S");
        ASSERT_TRUE(silent.HasEnded()) << "a silent run shows no box";
        EXPECT_EQ(silent.ExitCode(), 2u);
        EXPECT_TRUE(Exists(outer + L"\\victima.txt"));
        EXPECT_TRUE(Exists(installed + L"\\victima.txt"));
    }
}

TEST_F(UninstallTest, InTheDistributionItDeletesNothing) {
    LogDescription log;
    log.entries = {{"a.txt", "A"}, {"uninstall.exe", "Desinstalar"}, {"Install.log", "NEIN!"}};
    MakeDistribution(log, {{"a.txt", "a"}});
    std::vector<std::wstring> before = FilesIn(source_);

    Process uninstall(source_ + L"\\uninstall.exe");
    MessageBoxSeen box = WaitForMessageBox(uninstall.Id());
    EXPECT_EQ(box.text, L"Este directorio es la fuente de la instalación; no se borra nada.");
    EXPECT_TRUE(HasIcon(box));
    EXPECT_EQ(GetWindow(box.window, GW_OWNER), nullptr);
    EXPECT_TRUE(WindowsOf(uninstall.Id(), L"VeltraClass").empty());
    Answer(box, IDOK);
    ASSERT_TRUE(uninstall.HasEnded());
    EXPECT_EQ(FilesIn(source_), before);
    Process silent(source_ + L"\\uninstall.exe", L"", L"/S");
    ASSERT_TRUE(silent.HasEnded()) << "a silent run shows no box";
    EXPECT_EQ(silent.ExitCode(), 1u);
    EXPECT_EQ(FilesIn(source_), before);
}

TEST_F(UninstallTest, MainWindowNamesTheProgramAndDragsByAnyPoint) {
    std::wstring folder = Folder(L"programa");
    LogDescription log;
    log.subdirectory = ""; // line 4 means nothing to the uninstaller
    std::wstring exe = MakeInstalledCopy(folder, log, {});
    Process uninstall(exe);
    HWND main = WaitForWindow(uninstall.Id(), L"VeltraClass");
    ASSERT_TRUE(main);
    EXPECT_EQ(TextOf(main), L"VELTRA Desinstal 2.0");
    std::vector<HWND> controls = ChildrenOf(main);
    ASSERT_EQ(controls.size(), 6u);
    const std::wstring texts[] = {L"¡Bienvenido del programa de la desinstalación de Prueba Veltra!",
                                  L"Directorio:",
                                  L"El progrma de desinstalación borra \"Prueba Veltra\" del directorio de programa!",
                                  folder + L"\\",
                                  L"Continuar",
                                  L"Termino"};
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(TextOf(controls[i]), texts[i]) << i;
    }
    RECT frame;
    GetWindowRect(main, &frame);
    for (POINT p : {POINT{frame.left + 100, frame.top + 200}, POINT{frame.right - 8, frame.top + 8}}) {
        EXPECT_EQ(SendMessageW(main, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCAPTION);
    }
}

TEST_F(UninstallTest, NoAtTheConfirmationKeepsEverything) {
    std::wstring folder = Folder(L"programa");
    LogDescription log;
    log.entries = {{"a.txt", "A"}};
    Process uninstall(MakeInstalledCopy(folder, log, {{"a.txt", "a"}}));
    HWND main = WaitForWindow(uninstall.Id(), L"VeltraClass");
    ASSERT_TRUE(main);
    Click(main, L"Continuar");
    MessageBoxSeen confirm = WaitForMessageBox(uninstall.Id());
    EXPECT_EQ(confirm.text, kConfirmUninstallText);
    EXPECT_EQ(confirm.caption, kConfirmUninstallCaption);
    EXPECT_EQ(GetWindow(confirm.window, GW_OWNER), nullptr);
    Answer(confirm, IDNO);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(Exists(folder + L"\\a.txt"));
    EXPECT_FALSE(uninstall.HasEnded(0));
}

TEST_F(UninstallTest, DeletesTheListedFilesAndTheGroup) {
    std::wstring folder = Folder(L"programa");
    LogDescription log;
    log.groupName = "Veltra Prueba Desinstalar";
    log.entries = {{"a.txt", "A"}, {"falta.txt", "NEIN!"}, {"uninstall.exe", "Desinstalar"}, {"Install.log", "NEIN!"}};
    std::wstring exe = MakeInstalledCopy(folder, log, {{"a.txt", "a"}, {"prueba.grp", "g"}, {"otro.txt", "o"}});
    std::wstring group = StartMenuPrograms() + L"\\Veltra Prueba Desinstalar";
    CreateDirectoryW(group.c_str(), nullptr);
    WriteBytes(group + L"\\A.lnk", "");
    ForgetAfterwards(group);

    ProgramRun run = Uninstall(exe);

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, kUninstalledText);
    EXPECT_TRUE(HasIcon(run.boxes[0]));
    EXPECT_EQ(run.exitCode, 0u);
    std::vector<std::wstring> left = FilesIn(folder);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::wstring>{L"otro.txt", L"uninstall.exe"}));
    EXPECT_FALSE(Exists(group));
}

// A file held open by another program cannot be deleted: the closing box says
// so instead of the success text, and a silent run ends with 1. A file that is
// already gone (falta.txt) is no failure.
TEST_F(UninstallTest, FileInUseMakesTheUninstallationIncomplete) {
    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent" : "windowed");
        std::wstring folder = Folder(L"programa");
        LogDescription log;
        log.entries = {{"a.txt", "NEIN!"}, {"abierto.txt", "NEIN!"}, {"falta.txt", "NEIN!"}, {"Install.log", "NEIN!"}};
        std::wstring exe = MakeInstalledCopy(folder, log, {{"a.txt", "a"}, {"abierto.txt", "b"}});
        HANDLE held = CreateFileW((folder + L"\\abierto.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        if (silent) {
            Process uninstall(exe, L"", L"/S");
            ASSERT_TRUE(uninstall.HasEnded());
            EXPECT_EQ(uninstall.ExitCode(), 1u);
        } else {
            ProgramRun run = Uninstall(exe);
            ASSERT_EQ(run.boxes.size(), 1u);
            EXPECT_EQ(run.boxes[0].text, IncompleteUninstallText(1));
            EXPECT_TRUE(HasIcon(run.boxes[0]));
        }
        CloseHandle(held);
        EXPECT_FALSE(Exists(folder + L"\\a.txt"));
        EXPECT_TRUE(Exists(folder + L"\\abierto.txt"));
    }
}

// "/S" installs and removes without a window or a box, and the system's list
// of installed programs shows the product in between.
TEST_F(UninstallTest, SilentRunsInstallAndRemoveAndTheListFollows) {
    LogDescription log;
    log.groupName = "Veltra Silencio";
    log.entries = {{"a.txt", "Uno"}, {"uninstall.exe", "Desinstalar"}, {"Install.log", "NEIN!"}};
    MakeDistribution(log, {{"a.txt", "a"}});
    ForgetGroupAfterwards(log.groupName);
    ForgetAfterwards(CommonStartMenuPrograms() + L"\\Veltra Silencio");
    std::wstring target = Folder(L"destino") + L"\\con espacios";

    // A codec installer that ends with a non-zero exit code is a failed step:
    // here a copy of the uninstaller, which refuses to run beside setup.exe.
    CopyTo(UninstallExe(), source_ + L"\\l3codecp.exe");
    Process failing(source_ + L"\\setup.exe", L"", L"/S /D=" + Folder(L"otro"));
    ASSERT_TRUE(failing.HasEnded());
    EXPECT_EQ(failing.ExitCode(), 1u);
    DeleteFileW((source_ + L"\\l3codecp.exe").c_str());

    Process setup(source_ + L"\\setup.exe", L"", L"/S /D=" + target);
    ASSERT_TRUE(setup.HasEnded()) << "a silent run shows no box";
    EXPECT_EQ(setup.ExitCode(), 0u);
    EXPECT_EQ(ReadBytes(target + L"\\a.txt"), "a");
    EXPECT_TRUE(Exists(target + L"\\uninstall.exe"));
    EXPECT_TRUE(InstalledProgramsList("Prueba Veltra"));

    Process uninstall(target + L"\\uninstall.exe", L"", L"/S");
    ASSERT_TRUE(uninstall.HasEnded());
    EXPECT_EQ(uninstall.ExitCode(), 0u);
    EXPECT_FALSE(Exists(target + L"\\a.txt"));
    EXPECT_FALSE(InstalledProgramsList("Prueba Veltra"));
    for (const std::wstring& programs : {StartMenuPrograms(), CommonStartMenuPrograms()}) {
        EXPECT_FALSE(Exists(programs + L"\\Veltra Silencio"));
    }
}

} // namespace
} // namespace installer

#include "InstallerFixture.h"

#include "support/HostTool.h"

namespace installer {

namespace {

// Answers boxes with OK until the box with the closing caption has been answered.
void AnswerUntilClosing(Process& program, const std::wstring& closingCaption, ProgramRun& run) {
    for (;;) {
        MessageBoxSeen box = WaitForMessageBox(program.Id());
        if (!box.window) {
            ADD_FAILURE() << "no message box appeared";
            return;
        }
        run.boxes.push_back(box);
        Answer(box, IDOK);
        if (box.caption == closingCaption) {
            break;
        }
    }
    if (program.HasEnded()) {
        run.exitCode = program.ExitCode();
    } else {
        ADD_FAILURE() << "the program did not end";
    }
}

} // namespace

void InstallerTest::ForgetGroupAfterwards(const std::string& groupName) {
    std::wstring name = Widen1252(groupName);
    RemoveTree(StartMenuPrograms() + L"\\" + name);
    groups_.push_back(name);
}

void InstallerTest::TearDown() {
    RemoveUninstallEntry(kTestProduct);
    for (const std::wstring& group : groups_) {
        CloseGroupWindow(group);
        RemoveTree(StartMenuPrograms() + L"\\" + group);
    }
    for (const std::wstring& path : cleanup_) {
        RemoveTree(path);
    }
}

std::wstring InstallerTest::Folder(const std::wstring& name) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::wstring folder = testsupport::WorkDir() + L"\\" + testsupport::Widen(test->name()) + L"-" + name;
    for (wchar_t& c : folder) {
        if (c == L'/') {
            c = L'_';
        }
    }
    RemoveTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void InstallerTest::MakeDistribution(const LogDescription& log, const Files& files) {
    source_ = Folder(L"fuente");
    CopyTo(SetupExe(), source_ + L"\\setup.exe");
    CopyTo(UninstallExe(), source_ + L"\\uninstall.exe");
    WriteBytes(source_ + L"\\Install.log", LogText(log));
    for (const auto& [name, bytes] : files) {
        WriteBytes(source_ + L"\\" + Widen1252(name), bytes);
    }
}

ProgramRun InstallerTest::Install(const std::wstring& target) { return Install(source_ + L"\\setup.exe", target); }

ProgramRun InstallerTest::Install(const std::wstring& setupExe, const std::wstring& target) {
    ProgramRun run;
    Process setup(setupExe);
    HWND main = WaitForWindow(setup.Id(), L"VeltraClass");
    if (!main) {
        ADD_FAILURE() << "setup showed no main window";
        return run;
    }
    if (!target.empty()) {
        HWND targetField = nullptr;
        for (HWND child : ChildrenOf(main)) {
            if (ClassOf(child) == L"Edit") {
                targetField = child; // the second field is the target
            }
        }
        SendMessageW(targetField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    }
    Click(main, L"Continuar");
    AnswerUntilClosing(setup, kInstalledCaption, run);
    return run;
}

ProgramRun InstallerTest::Uninstall(const std::wstring& uninstallExe) {
    ProgramRun run;
    Process uninstall(uninstallExe);
    HWND main = WaitForWindow(uninstall.Id(), L"VeltraClass");
    if (!main) {
        ADD_FAILURE() << "uninstall showed no main window";
        return run;
    }
    Click(main, L"Continuar");
    MessageBoxSeen confirm = WaitForMessageBox(uninstall.Id());
    EXPECT_EQ(confirm.text, kConfirmUninstallText);
    EXPECT_EQ(confirm.caption, kConfirmUninstallCaption);
    Answer(confirm, IDYES);
    AnswerUntilClosing(uninstall, kUninstalledCaption, run);
    return run;
}

} // namespace installer

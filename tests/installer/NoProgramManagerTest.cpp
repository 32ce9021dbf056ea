// Runs in a Wine session of its own without a display, where no Program
// Manager answers (tests/installer/run-headless). A server of the test's own
// stands in where one is wanted.
#include "InstallerFixture.h"

#include <dde.h>

#include <algorithm>
#include <thread>

namespace installer {
namespace {

using NoProgramManagerTest = InstallerTest;

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DDE_ACK) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 1);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool ProgramManagerAnswers() {
    bool answered = false;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ProbeProcedure;
    windowClass.lpszClassName = L"ProgmanProbe";
    windowClass.hInstance = GetModuleHandleW(nullptr);
    RegisterClassW(&windowClass);
    HWND probe = CreateWindowW(L"ProgmanProbe", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    if (!probe) {
        ADD_FAILURE() << "no probe window";
        return true;
    }
    ATOM name = GlobalAddAtomW(L"PROGMAN");
    SendMessageW(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(probe), MAKELPARAM(name, name));
    GlobalDeleteAtom(name);
    answered = GetWindowLongPtrW(probe, GWLP_USERDATA) != 0;
    DestroyWindow(probe);
    return answered;
}

constexpr char kAnswerAtom[] = "ProgmanFalso";

// A Program Manager of the test's own: answers the initiate, records every
// command, and acknowledges commands and the terminate only when asked to,
// positively unless told to refuse the commands.
class FakeProgramManager {
public:
    explicit FakeProgramManager(bool acknowledges, bool accepts = true)
        : acknowledges_(acknowledges), accepts_(accepts) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = "FakeProgman";
        windowClass.hInstance = GetModuleHandleA(nullptr);
        RegisterClassA(&windowClass);
        // ANSI, so that the command text arrives as the client's bytes.
        window_ = CreateWindowA("FakeProgman", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                                nullptr);
        EXPECT_TRUE(window_) << "no server window";
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FakeProgramManager() { DestroyWindow(window_); }

    std::vector<std::string> commands;
    bool terminated = false;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FakeProgramManager*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        HWND client = reinterpret_cast<HWND>(wParam);
        switch (message) {
        case WM_DDE_INITIATE: {
            char application[32] = {}, topic[32] = {};
            GlobalGetAtomNameA(LOWORD(lParam), application, sizeof application);
            GlobalGetAtomNameA(HIWORD(lParam), topic, sizeof topic);
            // Atoms keep the case of their first registration.
            if (_stricmp(application, "PROGMAN") == 0 && _stricmp(topic, "PROGMAN") == 0) {
                // Atoms of a name of its own, so that a leak of them shows.
                SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                             MAKELPARAM(GlobalAddAtomA(kAnswerAtom), GlobalAddAtomA(kAnswerAtom)));
            }
            return 0;
        }
        case WM_DDE_EXECUTE: {
            HGLOBAL memory = reinterpret_cast<HGLOBAL>(lParam);
            const char* text = static_cast<const char*>(GlobalLock(memory));
            self->commands.push_back(text ? text : "");
            GlobalUnlock(memory);
            if (self->acknowledges_) {
                PostMessageA(
                    client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                    PackDDElParam(WM_DDE_ACK, self->accepts_ ? 0x8000 : 0, reinterpret_cast<UINT_PTR>(memory)));
            }
            return 0;
        }
        case WM_DDE_TERMINATE:
            self->terminated = true;
            if (self->acknowledges_) {
                PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
            }
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    bool acknowledges_;
    bool accepts_;
    HWND window_;
};

LogDescription TwoItemLog(const std::string& group) {
    LogDescription log;
    log.groupName = group;
    log.entries = {{"a.txt", "Uno"}, {"b.txt", "NEIN!"}, {"uninstall.exe", "Desinstalar"}, {"Install.log", "NEIN!"}};
    return log;
}

TEST_F(NoProgramManagerTest, SessionHasNoProgramManager) { EXPECT_FALSE(ProgramManagerAnswers()); }

TEST_F(NoProgramManagerTest, InstallAndUninstallMakeAndRemoveTheGroupThemselves) {
    MakeDistribution(TwoItemLog("Veltra Sin Progman"), {{"a.txt", "a"}, {"b.txt", "b"}});
    std::wstring target = Folder(L"destino");
    // setup asks for elevation, so the installation is the machine's and its
    // links are for every user.
    std::wstring group = CommonStartMenuPrograms() + L"\\Veltra Sin Progman";
    ForgetAfterwards(group);
    ForgetAfterwards(StartMenuPrograms() + L"\\Veltra Sin Progman");

    ProgramRun install = Install(target);
    ASSERT_EQ(install.boxes.size(), 2u);
    EXPECT_EQ(install.boxes[0].caption, L"dd");
    EXPECT_EQ(install.boxes[1].text, kInstalledText);
    EXPECT_EQ(install.exitCode, 0u);
    EXPECT_EQ(ReadBytes(target + L"\\a.txt"), "a");
    std::vector<std::wstring> links = FilesIn(group);
    std::sort(links.begin(), links.end());
    EXPECT_EQ(links, (std::vector<std::wstring>{L"Desinstalar.lnk", L"Uno.lnk"}));
    // The link keeps its target as ANSI text and its working folder as UTF-16.
    std::string link = ReadBytes(group + L"\\Uno.lnk");
    std::wstring folder = target + L"\\";
    EXPECT_NE(link.find(std::string(target.begin(), target.end()) + "\\a.txt"), std::string::npos);
    EXPECT_NE(link.find(std::string(reinterpret_cast<const char*>(folder.c_str()), folder.size() * 2)),
              std::string::npos);

    ProgramRun uninstall = Uninstall(target + L"\\uninstall.exe");
    ASSERT_EQ(uninstall.boxes.size(), 1u);
    EXPECT_EQ(uninstall.boxes[0].text, kUninstalledText);
    EXPECT_FALSE(Exists(target + L"\\a.txt"));
    EXPECT_FALSE(Exists(group));
    EXPECT_FALSE(Exists(StartMenuPrograms() + L"\\Veltra Sin Progman"));
}

TEST_F(NoProgramManagerTest, CommandsSentToAnAnsweringServer) {
    FakeProgramManager server(true);
    MakeDistribution(TwoItemLog("Grupo Falso"), {{"a.txt", "a"}, {"b.txt", "b"}});
    std::wstring target = Folder(L"destino");
    std::string targetBytes = std::string(target.begin(), target.end());

    ProgramRun install = Install(target);
    EXPECT_EQ(install.exitCode, 0u);
    EXPECT_EQ(server.commands,
              (std::vector<std::string>{"[CreateGroup(\"Grupo Falso\",\"" + targetBytes + "\\prueba.grp\")]",
                                        "[ADDITEM(\"" + targetBytes + "\\a.txt\",\"Uno\")]",
                                        "[ADDITEM(\"" + targetBytes + "\\uninstall.exe\",\"Desinstalar\")]"}));
    EXPECT_TRUE(server.terminated);

    server.commands.clear();
    ProgramRun uninstall = Uninstall(target + L"\\uninstall.exe");
    EXPECT_EQ(uninstall.exitCode, 0u);
    EXPECT_EQ(server.commands, std::vector<std::string>{"[DeleteGroup(\"Grupo Falso\")]"});
    // The atoms of each answer to the initiate were the client's to delete.
    EXPECT_EQ(GlobalFindAtomA(kAnswerAtom), 0);
}

// A refused command is a failure: the group is then made as Start Menu links,
// in the Programs folder every user sees, as setup installs for the machine.
TEST_F(NoProgramManagerTest, RefusedCommandsLeaveTheGroupToStartMenuLinks) {
    FakeProgramManager server(true, false);
    MakeDistribution(TwoItemLog("Grupo Rechazado"), {{"a.txt", "a"}, {"b.txt", "b"}});
    std::wstring target = Folder(L"destino");
    std::wstring group = CommonStartMenuPrograms() + L"\\Grupo Rechazado";
    ForgetAfterwards(group);

    ProgramRun install = Install(target);
    ASSERT_FALSE(install.boxes.empty());
    EXPECT_EQ(install.boxes.back().text, kInstalledText);
    EXPECT_FALSE(server.commands.empty());
    std::vector<std::wstring> links = FilesIn(group);
    std::sort(links.begin(), links.end());
    EXPECT_EQ(links, (std::vector<std::wstring>{L"Desinstalar.lnk", L"Uno.lnk"}));

    ProgramRun uninstall = Uninstall(target + L"\\uninstall.exe");
    ASSERT_EQ(uninstall.boxes.size(), 1u);
    EXPECT_EQ(uninstall.boxes[0].text, kUninstalledText);
    EXPECT_FALSE(Exists(group));
}

TEST_F(NoProgramManagerTest, ServerThatNeverAcknowledgesCannotHangSetup) {
    FakeProgramManager server(false);
    LogDescription log;
    log.groupName = "Grupo Mudo";
    log.entries = {{"a.txt", "Uno"}, {"b.txt", "Dos"}, {"c.txt", "Tres"}};
    MakeDistribution(log, {{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
    std::wstring target = Folder(L"destino");
    ForgetAfterwards(CommonStartMenuPrograms() + L"\\Grupo Mudo");

    const DWORD start = GetTickCount();
    ProgramRun install = Install(target);
    const DWORD elapsed = GetTickCount() - start;
    ASSERT_FALSE(install.boxes.empty());
    EXPECT_EQ(install.boxes.back().text, kInstalledText);
    EXPECT_EQ(install.exitCode, 0u);
    // The first unanswered command ends the conversation: one wait, not four.
    EXPECT_EQ(server.commands.size(), 1u);
    EXPECT_LT(elapsed, 25000u);
}

TEST_F(NoProgramManagerTest, ClosingTheProgressWindowCannotHangSetup) {
    FakeProgramManager server(false);
    MakeDistribution(TwoItemLog("Grupo Cerrado"), {{"a.txt", "a"}, {"b.txt", "b"}});
    ForgetAfterwards(CommonStartMenuPrograms() + L"\\Grupo Cerrado");
    std::wstring target = Folder(L"destino");
    Process setup(source_ + L"\\setup.exe");
    HWND main = WaitForWindow(setup.Id(), L"VeltraClass");
    ASSERT_TRUE(main);
    SendMessageW(ChildrenOf(main)[5], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
    Click(main, L"Continuar");
    ASSERT_TRUE(WaitUntil([&] { return !server.commands.empty(); }));
    PostMessageW(WaitForWindow(setup.Id(), L"(De)InstallWndclass"), WM_CLOSE, 0, 0);

    // Whatever boxes still show are answered; the program must end.
    EXPECT_TRUE(WaitUntil([&] {
        for (HWND box : WindowsOf(setup.Id(), L"#32770")) {
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return setup.HasEnded(0);
    }));
    EXPECT_EQ(server.commands.size(), 1u);
}

TEST_F(NoProgramManagerTest, HungWindowCannotHoldTheBroadcast) {
    // A window whose thread takes no messages while setup runs, as a hung program's.
    HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr), release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread hung([&] {
        HWND window = CreateWindowW(L"STATIC", L"", WS_OVERLAPPED, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
        SetEvent(made);
        WaitForSingleObject(release, INFINITE);
        DestroyWindow(window);
    });
    WaitForSingleObject(made, kPatience);
    MakeDistribution({});
    ForgetAfterwards(StartMenuPrograms() + L"\\Veltra Prueba");
    ForgetAfterwards(CommonStartMenuPrograms() + L"\\Veltra Prueba");

    ProgramRun install = Install(Folder(L"destino"));
    SetEvent(release);
    hung.join();
    CloseHandle(made);
    CloseHandle(release);
    ASSERT_FALSE(install.boxes.empty());
    EXPECT_EQ(install.boxes.back().text, kInstalledText);
}

} // namespace
} // namespace installer

#include "Uninstall.h"
#include "UninstallTexts.h"

#include "installkit/InstallKit.h"
#include "win/DllSearch.h"
#include "win/ProgramPath.h"

std::string OwnDir;

namespace {

// Line 4 of the log names setup's target and means nothing here.
std::string NoTargetBase() { return {}; }

void CreateUninstallControls() {
    OwnDir = win::ProgramFolderAnsi();
    MakeStatic(UninstallWelcome(InstallLog.ProgramName), 4, 4, 503, 20);
    MakeStatic(kDirectoryLabel, 4, 44, 150, 20);
    MakeStatic(UninstallNote(InstallLog.ProgramName), 4, 124, 503, 40);
    MakeStatic(OwnDir, 160, 44, 347, 20);
    MakeButtons();
}

void ConfirmUninstallation() {
    if (MessageBoxA(nullptr, kConfirmUninstallText, kConfirmUninstallCaption, MB_ICONQUESTION | MB_YESNO) == IDYES) {
        RunUninstallation();
    }
}

} // namespace

const InstallerProgram ThisProgram = {
    kUninstallCaption, kUninstallDamagedLogText, kUninstallDamagedLogCaption, true,
    NoTargetBase,      CreateUninstallControls,  ConfirmUninstallation,       RunSilentUninstallation,
};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    win::LimitDllSearchToSystemFolder();
    // Beside setup.exe lies a distribution, whose log lists the distribution's
    // own files: nothing here was installed, so nothing is deleted.
    if (GetFileAttributesA((win::ProgramFolderAnsi() + kSetupFileName).c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (SilentRun()) {
            return kExitStepFailed;
        }
        MessageBoxA(nullptr, kInstallationSourceText, kUninstallCaption, MB_ICONINFORMATION | MB_OK);
        return 0;
    }
    return RunInstallerProgram();
}

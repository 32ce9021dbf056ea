#include "Setup.h"
#include "SetupTexts.h"

#include "installkit/InstallKit.h"
#include "win/DllSearch.h"
#include "win/ProgramPath.h"

HWND SourceField;
HWND TargetField;
std::string SourceDir;
std::string TargetDir;

namespace {

void CreateSetupControls() {
    SourceDir = win::ProgramFolderAnsi();
    MakeStatic(SetupWelcome(InstallLog.ProgramName), 4, 4, 503, 20);
    MakeStatic(kSourceLabel, 4, 44, 150, 20);
    MakeStatic(kTargetLabel, 4, 84, 150, 20);
    MakeStatic(kUninstallerNote, 4, 224, 503, 20);
    SourceField =
        MakeWindow("EDIT", SourceDir.c_str(), WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 160, 42, 347, 24, MainWindow);
    TargetField = MakeWindow("EDIT", InstallLog.DefaultTarget.c_str(), WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 160, 82,
                             347, 24, MainWindow);
    MakeButtons();
}

} // namespace

const InstallerProgram ThisProgram = {
    kSetupCaption,         kSetupDamagedLogText, kSetupDamagedLogCaption, false,
    ProgramFilesDirectory, CreateSetupControls,  RunInstallation,         RunSilentInstallation,
};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    win::LimitDllSearchToSystemFolder();
    return RunInstallerProgram();
}

#include "Uninstall.h"
#include "UninstallTexts.h"

#include "core/PathText.h"
#include "core/ProgmanCommands.h"
#include "installkit/InstallKit.h"
#include "win/ProgramPath.h"

namespace {

struct Outcome {
    unsigned notDeleted = 0;
    bool stepFailed = false;
    bool Complete() const { return notDeleted == 0 && !stepFailed; }
};

// A refused command changes nothing: the links are removed directly afterwards.
void DeleteProgramGroup() {
    ProgmanExecute(core::DeleteGroupCommand(InstallLog.GroupName));
    BringWindowToTop(ProgressWindow);
}

// The codec goes with the last installation that counted it. Only one that
// installed the codec's installer counted it; that installer is one of the
// listed files, so this comes before they are deleted.
bool ReleaseCodec() {
    bool lastUser = false;
    if (!LogLists(kCodecInstaller)) {
        return true;
    }
    if (!ReleaseSharedCodec(lastUser)) {
        return false;
    }
    if (!lastUser) {
        return true;
    }
    return RunProgramAndWait(ProgressWindow, OwnDir + kCodecInstaller, "/U") == ChildOutcome::Succeeded &&
           ForgetSharedCodec();
}

// The running uninstaller cannot delete itself; the closing message asks
// the user to delete the folder it is left in.
bool IsThisProgram(const std::string& path) { return _stricmp(path.c_str(), win::ProgramPathAnsi().c_str()) == 0; }

Outcome Uninstall() {
    Outcome outcome;
    OwnDir = core::WithBackslash(OwnDir);
    outcome.stepFailed = !ReleaseCodec();
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const std::string path = OwnDir + InstallLog.Entries[k].FileName;
        if (!IsThisProgram(path) && !DeleteIfPresent(path)) {
            ++outcome.notDeleted;
        }
    }
    if (!DeleteIfPresent(OwnDir + InstallLog.GroupFile)) {
        ++outcome.notDeleted;
    }
    // A silent run asks no Program Manager, which would open a window of its own.
    if (!SilentRun() && ProgmanConnect()) {
        DeleteProgramGroup();
        ProgmanDisconnect();
    }
    outcome.notDeleted += DeleteStartMenuGroup();
    if (!RemoveUninstallEntry()) {
        outcome.stepFailed = true;
    }
    // The directory cannot be removed while it is the current one; it stays
    // while this program is in it.
    SetCurrentDirectoryA(core::DriveRoot(OwnDir).c_str());
    RemoveDirectoryA(core::WithoutBackslash(OwnDir).c_str());
    return outcome;
}

} // namespace

void RunUninstallation() {
    BuildProgressWindow(kUninstallWaitText, false);
    const Outcome outcome = Uninstall();
    if (outcome.Complete()) {
        MessageBoxA(ProgressWindow, kUninstalledText, kUninstalledCaption, MB_TASKMODAL | MB_ICONINFORMATION | MB_OK);
    } else {
        MessageBoxA(ProgressWindow, IncompleteUninstallText(outcome.notDeleted).c_str(), kUninstalledCaption,
                    MB_TASKMODAL | MB_ICONERROR | MB_OK);
    }
    EndProcedure();
}

int RunSilentUninstallation() {
    OwnDir = win::ProgramFolderAnsi();
    return Uninstall().Complete() ? kExitSucceeded : kExitStepFailed;
}

#include "Uninstall.h"
#include "UninstallTexts.h"

#include "core/PathText.h"
#include "core/ProgmanCommands.h"
#include "installkit/InstallKit.h"

namespace {

void DeleteProgramGroup() {
    ProgmanExecute(core::DeleteGroupCommand(InstallLog.GroupName));
    BringWindowToTop(ProgressWindow);
}

} // namespace

void RunUninstallation() {
    BuildProgressWindow(kUninstallWaitText, false);
    OwnDir = core::WithBackslash(OwnDir);
    // Failures are expected (a missing file, the running uninstaller itself) and
    // are not worth a message.
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        DeleteFileA((OwnDir + InstallLog.Entries[k].FileName).c_str());
    }
    DeleteFileA((OwnDir + InstallLog.GroupFile).c_str());
    if (ProgmanConnect()) {
        DeleteProgramGroup();
        ProgmanDisconnect();
    } else {
        DeleteStartMenuGroup();
    }
    // The directory cannot be removed while it is the current one.
    SetCurrentDirectoryA(core::DriveRoot(OwnDir).c_str());
    RemoveDirectoryA(core::WithoutBackslash(OwnDir).c_str());
    MessageBoxA(ProgressWindow, kUninstalledText, kUninstalledCaption, MB_TASKMODAL | MB_ICONINFORMATION | MB_OK);
    EndProcedure();
}

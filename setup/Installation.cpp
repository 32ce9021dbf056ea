#include "Setup.h"
#include "SetupTexts.h"

#include "core/ProgmanCommands.h"
#include "installkit/InstallKit.h"
#include "installkit/Scoped.h"

#include <shellapi.h>

#include <vector>

namespace {

constexpr DWORD kTransferBytes = 2048;

// The whole text of a field: a long path is taken as it is, never cut.
std::string FieldText(HWND field) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    GetWindowTextA(field, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// False on any failure to open, create, read, write (a short write included,
// as on a full disk) or close.
bool CopyBytes(const std::string& source, const std::string& target) {
    ScopedFile in(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.IsOpen()) {
        return false;
    }
    ScopedFile out(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
    if (!out.IsOpen()) {
        return false;
    }
    bool ok = true;
    char buffer[kTransferBytes];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in.Get(), buffer, kTransferBytes, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        DWORD written = 0;
        if (!WriteFile(out.Get(), buffer, got, &written, nullptr) || written < got) {
            ok = false;
            break;
        }
    }
    ok = in.Close() && ok;
    return out.Close() && ok;
}

void CreateProgramGroup() {
    ProgmanExecute(core::CreateGroupCommand(InstallLog.GroupName, TargetDir, InstallLog.GroupFile));
    BringWindowToTop(ProgressWindow);
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const core::LogEntry& entry = InstallLog.Entries[k];
        if (core::WantsItem(entry.ItemCaption)) {
            ProgmanExecute(core::AddItemCommand(TargetDir, entry.FileName, entry.ItemCaption));
        }
    }
    BringWindowToTop(ProgmanServer);
}

void StartCodecInstaller() {
    std::string path = SourceDir + kCodecInstaller;
    HINSTANCE started = ShellExecuteA(ProgressWindow, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(started) <= 32) {
        MessageBoxA(ProgressWindow, path.c_str(), kCodecFailedCaption, MB_OK);
    }
}

} // namespace

void CopyOneFile(const std::string& source, const std::string& target) {
    SetWindowTextA(StatusLine, CopyingStatus(source).c_str());
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    bool copied = CopyBytes(source, target);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (!copied) {
        MessageBoxA(nullptr, CopyFailedText(source, target).c_str(), nullptr, MB_TASKMODAL | MB_ICONINFORMATION | MB_OK);
    }
}

void RunInstallation() {
    BuildProgressWindow(kInstallWaitText, true);
    SourceDir = core::WithBackslash(FieldText(SourceField));
    TargetDir = core::WithBackslash(FieldText(TargetField));
    // Only the last level is made; an existing directory is fine.
    CreateDirectoryA(core::WithoutBackslash(TargetDir).c_str(), nullptr);
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const std::string& name = InstallLog.Entries[k].FileName;
        CopyOneFile(SourceDir + name, TargetDir + name);
    }
    if (ProgmanConnect()) {
        CreateProgramGroup();
        ProgmanDisconnect();
    } else {
        CreateStartMenuGroup(TargetDir);
    }
    StartCodecInstaller();
    MessageBoxA(ProgressWindow, kInstalledText, kInstalledCaption, MB_TASKMODAL | MB_ICONINFORMATION | MB_OK);
    EndProcedure();
}

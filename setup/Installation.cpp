#include "Setup.h"
#include "SetupTexts.h"

#include "core/PathText.h"
#include "core/ProgmanCommands.h"
#include "installkit/InstallKit.h"
#include "win/Scoped.h"

#include <shellapi.h>

#include <vector>

namespace {

constexpr DWORD kTransferBytes = 2048;
constexpr char kTemporaryPrefix[] = "~veltra";
constexpr char kTemporaryExtension[] = ".tmp";
constexpr unsigned kTemporaryAttempts = 100;

// The whole text of a field: a long path is taken as it is, never cut.
std::string FieldText(HWND field) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    GetWindowTextA(field, text.data(), static_cast<int>(text.size()));
    return text.data();
}

// Creates a fresh file beside target, named after this process so that two
// setups in one folder do not meet, and sets path to its name.
HANDLE CreateTemporaryBeside(const std::string& target, std::string& path) {
    const std::string stem = core::DirectoryPart(target) + kTemporaryPrefix + std::to_string(GetCurrentProcessId());
    for (unsigned attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        path = stem + "-" + std::to_string(attempt) + kTemporaryExtension;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// The copy's bytes go here first; deleted again unless it replaced the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
        : file_(CreateTemporaryBeside(target, path_)), created_(file_.IsOpen()) {}
    ~TemporaryFile() {
        file_.Close();
        if (created_ && !kept_) {
            DeleteFileA(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    win::ScopedFile& File() { return file_; }
    // Closes and renames over target; false leaves target as it was.
    bool Replace(const std::string& target) {
        if (!file_.Close()) {
            return false;
        }
        kept_ = MoveFileExA(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        return kept_;
    }

private:
    std::string path_; // before file_, which fills it
    win::ScopedFile file_;
    bool created_;
    bool kept_ = false;
};

// False on any failure to open, create, read, write (a short write included,
// as on a full disk), close or replace. The bytes go to a temporary file first,
// so a failed copy never empties a working installed file.
bool CopyBytes(const std::string& source, const std::string& target) {
    win::ScopedFile in(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.IsOpen()) {
        return false;
    }
    TemporaryFile temporary(target);
    win::ScopedFile& out = temporary.File();
    if (!out.IsOpen()) {
        return false;
    }
    bool ok = true;
    char buffer[kTransferBytes];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in.get(), buffer, kTransferBytes, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        DWORD written = 0;
        if (!WriteFile(out.get(), buffer, got, &written, nullptr) || written < got) {
            ok = false;
            break;
        }
    }
    ok = in.Close() && ok;
    return ok && temporary.Replace(target);
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
        MessageBoxA(nullptr, CopyFailedText(source, target).c_str(), nullptr,
                    MB_TASKMODAL | MB_ICONINFORMATION | MB_OK);
    }
}

void RunInstallation() {
    const std::string source = FieldText(SourceField);
    const std::string target = FieldText(TargetField);
    // An empty or relative field would depend on the current drive and folder.
    if (!core::IsAbsoluteDirectory(source) || !core::IsAbsoluteDirectory(target)) {
        MessageBoxA(nullptr, kInvalidDirectoryText, kSetupCaption, MB_TASKMODAL | MB_ICONINFORMATION | MB_OK);
        return;
    }
    BuildProgressWindow(kInstallWaitText, true);
    SourceDir = core::WithBackslash(source);
    TargetDir = core::WithBackslash(target);
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

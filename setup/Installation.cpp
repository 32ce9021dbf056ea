#include "Setup.h"
#include "SetupTexts.h"

#include "core/PathText.h"
#include "core/ProgmanCommands.h"
#include "installkit/InstallKit.h"
#include "win/ProgramPath.h"
#include "win/Scoped.h"

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

// What went wrong during one installation.
struct Outcome {
    unsigned notCopied = 0;
    bool stepFailed = false;
    bool Complete() const { return notCopied == 0 && !stepFailed; }
};

// Only the last level is made; an existing directory is fine.
bool MakeTargetDirectory() {
    const std::string directory = core::WithoutBackslash(TargetDir);
    if (CreateDirectoryA(directory.c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

uint64_t FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool IsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    win::ScopedFile owned(token);
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated != 0;
}

// An elevated installation, or one under Program Files, is the machine's:
// its links are for every user.
bool InstallsForMachine() {
    const std::string programFiles = ProgramFilesDirectory();
    return IsElevated() || (!programFiles.empty() && TargetDir.size() >= programFiles.size() &&
                            _strnicmp(TargetDir.c_str(), programFiles.c_str(), programFiles.size()) == 0);
}

// Items only for files that are there; false when Program Manager refused or
// did not answer a command.
bool CreateProgramGroup(const std::vector<bool>& installed) {
    bool made = ProgmanExecute(core::CreateGroupCommand(InstallLog.GroupName, TargetDir, InstallLog.GroupFile));
    BringWindowToTop(ProgressWindow);
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const core::LogEntry& entry = InstallLog.Entries[k];
        if (core::WantsItem(entry.ItemCaption) && installed[k]) {
            made = ProgmanExecute(core::AddItemCommand(TargetDir, entry.FileName, entry.ItemCaption)) && made;
        }
    }
    BringWindowToTop(ProgmanServer);
    return made;
}

// A silent run asks no Program Manager, which would open a window of its own.
bool MakeGroup(const std::vector<bool>& installed) {
    if (!SilentRun() && ProgmanConnect()) {
        const bool made = CreateProgramGroup(installed);
        ProgmanDisconnect();
        if (made) {
            return true;
        }
    }
    return CreateStartMenuGroup(TargetDir, installed, InstallsForMachine());
}

// A codec installer that cannot be started at all gets the message it always
// had and does not count; one that fails, or whose elevation the user
// refuses, is a failed step. The codec is counted only where the log installs
// its installer, which uninstall runs to remove it; a count that an earlier
// installation into the same folder made is not made twice.
bool InstallCodec(bool alreadyCounted) {
    const std::string path = SourceDir + kCodecInstaller;
    switch (RunProgramAndWait(ProgressWindow, path, SilentRun() ? "/S" : nullptr)) {
    case ChildOutcome::NotStarted:
        if (!SilentRun()) {
            MessageBoxA(ProgressWindow, path.c_str(), kCodecFailedCaption, MB_OK);
        }
        return true;
    case ChildOutcome::Refused:
    case ChildOutcome::Failed:
        return false;
    case ChildOutcome::Succeeded:
        break;
    }
    return alreadyCounted || !LogLists(kCodecInstaller) || CountSharedCodec();
}

// The system lists the product when its uninstaller is in place.
bool InstallsUninstaller(const std::vector<bool>& installed) {
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        if (installed[k] && _stricmp(InstallLog.Entries[k].FileName.c_str(), "uninstall.exe") == 0) {
            return true;
        }
    }
    return false;
}

Outcome Install() {
    Outcome outcome;
    const bool alreadyCounted = UninstallEntryNames(TargetDir) && CodecIsCounted();
    outcome.stepFailed = !MakeTargetDirectory();
    std::vector<bool> installed(InstallLog.EntryCount, false);
    uint64_t bytes = 0;
    for (size_t k = 0; k < InstallLog.EntryCount; ++k) {
        const std::string& name = InstallLog.Entries[k].FileName;
        installed[k] = CopyOneFile(SourceDir + name, TargetDir + name);
        if (installed[k]) {
            bytes += FileBytes(TargetDir + name);
        } else {
            ++outcome.notCopied;
        }
    }
    if (!MakeGroup(installed)) {
        outcome.stepFailed = true;
    }
    if (!InstallCodec(alreadyCounted)) {
        outcome.stepFailed = true;
    }
    if (InstallsUninstaller(installed) && !RegisterUninstallEntry(TargetDir, bytes)) {
        outcome.stepFailed = true;
    }
    return outcome;
}

} // namespace

bool CopyOneFile(const std::string& source, const std::string& target) {
    if (SilentRun()) {
        return CopyBytes(source, target);
    }
    SetWindowTextA(StatusLine, CopyingStatus(source).c_str());
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    bool copied = CopyBytes(source, target);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (!copied) {
        MessageBoxA(nullptr, CopyFailedText(source, target).c_str(), nullptr,
                    MB_TASKMODAL | MB_ICONINFORMATION | MB_OK);
    }
    return copied;
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
    const Outcome outcome = Install();
    if (outcome.Complete()) {
        MessageBoxA(ProgressWindow, kInstalledText, kInstalledCaption, MB_TASKMODAL | MB_ICONINFORMATION | MB_OK);
    } else {
        MessageBoxA(ProgressWindow, IncompleteInstallText(outcome.notCopied, InstallLog.EntryCount).c_str(),
                    kInstalledCaption, MB_TASKMODAL | MB_ICONERROR | MB_OK);
    }
    EndProcedure();
}

int RunSilentInstallation() {
    const std::string folder = SilentFolder().empty() ? InstallLog.DefaultTarget : SilentFolder();
    if (!core::IsAbsoluteDirectory(folder)) {
        return kExitStepFailed;
    }
    SourceDir = core::WithBackslash(win::ProgramFolderAnsi());
    TargetDir = core::WithBackslash(folder);
    return Install().Complete() ? kExitSucceeded : kExitStepFailed;
}

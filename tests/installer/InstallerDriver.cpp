#include "InstallerDriver.h"

#include "support/HostTool.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace installer {

namespace {

BOOL CALLBACK CollectHandle(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

std::wstring ProgramFileOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) {
        return {};
    }
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    std::wstring full = path;
    return full.substr(full.find_last_of(L"\\/") + 1);
}

std::vector<HWND> AllDialogs() {
    std::vector<HWND> all;
    EnumWindows(CollectHandle, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> dialogs;
    for (HWND window : all) {
        if (IsWindowVisible(window) && ClassOf(window) == L"#32770") {
            dialogs.push_back(window);
        }
    }
    return dialogs;
}

} // namespace

std::wstring SetupExe() { return testsupport::WindowsPath(SONARIS_SETUP_EXE); }
std::wstring UninstallExe() { return testsupport::WindowsPath(SONARIS_UNINSTALL_EXE); }
std::wstring DistributionDir() { return testsupport::WindowsPath(SONARIS_DIST_DIR); }

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectHandle, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    for (HWND child : ChildrenOf(parent)) {
        if (TextOf(child) == text) {
            return child;
        }
    }
    return nullptr;
}

MessageBoxSeen WaitForMessageBoxOfProgram(const std::wstring& exeName, DWORD timeoutMs) {
    MessageBoxSeen seen;
    WaitUntil(
        [&] {
            for (HWND dialog : AllDialogs()) {
                DWORD processId = 0;
                GetWindowThreadProcessId(dialog, &processId);
                if (_wcsicmp(ProgramFileOf(processId).c_str(), exeName.c_str()) == 0) {
                    seen = testsupport::DescribeMessageBox(dialog);
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return seen;
}

void Click(HWND mainWindow, const std::wstring& caption) {
    PostMessageW(mainWindow, WM_COMMAND, 0, reinterpret_cast<LPARAM>(ChildWithText(mainWindow, caption)));
}

HWND FocusOf(HWND mainWindow) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(mainWindow, nullptr), &info) ? info.hwndFocus : nullptr;
}

void PressAtFocus(HWND mainWindow, WPARAM key) {
    const HWND focus = FocusOf(mainWindow);
    const HWND target = focus ? focus : mainWindow;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

bool TabTo(HWND mainWindow, HWND control) {
    constexpr int kMostStops = 10;
    for (int i = 0; i < kMostStops && FocusOf(mainWindow) != control; ++i) {
        const HWND before = FocusOf(mainWindow);
        PressAtFocus(mainWindow, VK_TAB);
        WaitUntil([&] { return FocusOf(mainWindow) != before; });
    }
    return FocusOf(mainWindow) == control;
}

void Press(HWND mainWindow, const std::wstring& caption, WPARAM key) {
    if (key == 0) {
        Click(mainWindow, caption);
        return;
    }
    const HWND button = ChildWithText(mainWindow, caption);
    if (TabTo(mainWindow, button)) {
        PressAtFocus(mainWindow, key);
    }
}

void CopyTo(const std::wstring& source, const std::wstring& target) {
    CopyFileW(source.c_str(), target.c_str(), FALSE);
}

std::vector<std::wstring> FilesIn(const std::wstring& dir) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(found.cFileName);
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    return names;
}

std::string LogText(const LogDescription& description) {
    std::string count = description.count.empty() ? std::to_string(description.entries.size()) : description.count;
    std::string text = "VELTRA (De)Install 2.0 - Install.log\r\nNicht ver\xE4ndern, nicht l\xF6schen!\r\n" +
                       description.programName + "\r\n" + description.subdirectory + "\r\n" + description.groupName +
                       "\r\n" + description.groupFile + "\r\n" + count + "\r\n";
    for (const auto& [name, caption] : description.entries) {
        text += name + "\r\n" + caption + "\r\n";
    }
    return text + "\r\n";
}

std::wstring StartMenuPrograms() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring CommonStartMenuPrograms() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool InstalledProgramsList(const std::string& product) {
    testsupport::HostResult list = testsupport::RunHost("\"${WINELOADER:-wine}\" uninstaller --list");
    EXPECT_EQ(list.exitCode, 0) << list.output;
    return list.output.find("|||" + product + "\n") != std::string::npos ||
           list.output.find("|||" + product + "\r") != std::string::npos;
}

namespace {
const std::wstring kUninstallList = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
} // namespace

std::wstring UninstallEntryValue(const std::wstring& product, const std::wstring& name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, (kUninstallList + product).c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value, &size) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

long long MachineNumber(const std::wstring& key, const std::wstring& name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return -1;
    }
    return value;
}

void RemoveUninstallEntry(const std::wstring& product) {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (kUninstallList + product).c_str());
}

ReadOnlyMount::ReadOnlyMount(const std::wstring& folder) : unixPath_(testsupport::UnixPath(folder)) {
    testsupport::HostResult mount =
        testsupport::RunHost("mount -t tmpfs -o ro tmpfs " + testsupport::ShellQuote(unixPath_));
    mounted_ = mount.exitCode == 0;
    EXPECT_TRUE(mounted_) << mount.output;
}

ReadOnlyMount::~ReadOnlyMount() {
    if (mounted_) {
        testsupport::RunHost("umount " + testsupport::ShellQuote(unixPath_));
    }
}

void CloseGroupWindow(const std::wstring& groupName, DWORD timeoutMs) {
    HWND folder = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> all;
            EnumWindows(CollectHandle, reinterpret_cast<LPARAM>(&all));
            for (HWND window : all) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (TextOf(window) == groupName && _wcsicmp(ProgramFileOf(owner).c_str(), L"explorer.exe") == 0) {
                    folder = window;
                }
            }
            return folder != nullptr;
        },
        timeoutMs);
    if (folder) {
        PostMessageW(folder, WM_CLOSE, 0, 0);
        WaitUntil([folder] { return !IsWindow(folder); });
    }
}

std::wstring ProgramFiles() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

} // namespace installer

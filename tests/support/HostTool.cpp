#include "HostTool.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>

namespace testsupport {
namespace {

using UnixNameFn = char*(CDECL*)(LPCWSTR);

} // namespace

std::string Narrow(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), n);
    return out;
}

std::string UnixPath(const std::wstring& windowsPath) {
    static UnixNameFn toUnix = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) {
        return {};
    }
    char* name = toUnix(windowsPath.c_str());
    if (!name) {
        return {};
    }
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::wstring WindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + Widen(unixPath);
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

std::wstring WorkDir() {
    static std::wstring dir;
    if (dir.empty()) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring name = exe;
        name = name.substr(name.find_last_of(L"\\/") + 1);
        dir = std::wstring(temp) + L"sonaris-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
        RemoveTree(dir);
        CreateDirectoryW(dir.c_str(), nullptr);
    }
    return dir;
}

std::wstring WorkFile(const std::wstring& name) { return WorkDir() + L"\\" + name; }
std::wstring WorkFile(const std::string& name) { return WorkFile(Widen(name)); }

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ShellPath(const std::wstring& windowsPath) { return ShellQuote(UnixPath(windowsPath)); }

HostResult RunHost(const std::string& shellCommand, DWORD timeoutMs) {
    static int counter = 0;
    const std::wstring base = WorkDir() + L"\\host" + std::to_wstring(++counter);
    const std::wstring script = base + L".sh", output = base + L".out", status = base + L".status";
    {
        std::ofstream out(script.c_str(), std::ios::binary);
        out << "( " << shellCommand << " ) >" << ShellPath(output) << " 2>&1\n"
            << "echo $? >" << ShellQuote(UnixPath(status) + ".tmp") << "\n"
            << "mv " << ShellQuote(UnixPath(status) + ".tmp") << " " << ShellPath(status) << "\n";
    }
    std::string command = "/bin/sh " + UnixPath(script);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    HostResult result;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        result.output = "could not start /bin/sh";
        return result;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const DWORD start = GetTickCount();
    while (GetFileAttributesW(status.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs) {
            result.output = "timed out: " + shellCommand;
            return result;
        }
        Sleep(10);
    }
    result.exitCode = std::stoi(ReadBytes(status));
    result.output = ReadBytes(output);
    return result;
}

std::string RunHostOrFail(const std::string& shellCommand) {
    const HostResult result = RunHost(shellCommand);
    EXPECT_EQ(result.exitCode, 0) << shellCommand << "\n" << result.output;
    return result.output;
}

std::wstring MakeMp3(const std::wstring& mp3, double seconds, const std::string& lameOptions) {
    const std::wstring wav = mp3 + L".wav";
    SetFileAttributesW(mp3.c_str(), FILE_ATTRIBUTE_NORMAL);
    RunHostOrFail("sox -n -r 44100 -c 2 -b 16 " + ShellPath(wav) + " synth " + std::to_string(seconds) +
                  " sine 440 && lame --quiet -b 128 " + lameOptions + " " + ShellPath(wav) + " " + ShellPath(mp3) +
                  " && rm " + ShellPath(wav));
    return mp3;
}

} // namespace testsupport

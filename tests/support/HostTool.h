#pragma once
// Lets a test that runs under Wine use the reference tools of the Linux machine
// (sox, lame, mpg123) to make fixtures and to check results from outside.
#include <windows.h>

#include <string>

namespace testsupport {

struct HostResult {
    int exitCode = -1;  // -1 when the command did not finish in time
    std::string output; // standard output and error together
};

// Runs a /bin/sh command line on the host and waits until it has finished.
// Wine starts Unix programs without a waitable handle, so completion is seen
// through a status file that the shell writes last.
HostResult RunHost(const std::string& shellCommand, DWORD timeoutMs = 120000);
// The same for a command that must succeed: a failure fails the calling test
// with the command and its output. Returns the output either way.
std::string RunHostOrFail(const std::string& shellCommand);

// A 440 Hz tone of that many seconds, 44100 Hz stereo, as an MP3 of 128 kbit/s
// made by lame at mp3 (a read-only file there is replaced); lame writes no ID3
// tag unless lameOptions asks for one. Returns mp3.
std::wstring MakeMp3(const std::wstring& mp3, double seconds, const std::string& lameOptions = "");

// The host path of a Windows path (Wine's own mapping), for host commands.
std::string UnixPath(const std::wstring& windowsPath);
// The Windows path of a host path, through drive Z:, which is the host's root.
std::wstring WindowsPath(const std::string& unixPath);

// A fresh folder for the files of the calling test program, emptied on first use.
std::wstring WorkDir();
// A file in that folder; a narrow name is UTF-8.
std::wstring WorkFile(const std::wstring& name);
std::wstring WorkFile(const std::string& name);

// Quotes a string for /bin/sh.
std::string ShellQuote(const std::string& text);
// The host path of a Windows path, quoted for a host command line.
std::string ShellPath(const std::wstring& windowsPath);

std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text, UINT codePage = CP_UTF8);

} // namespace testsupport

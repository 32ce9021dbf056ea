// l3codecp.exe: installs the suite's MP3 codec. "/S" installs without a word;
// the exit code is 0 when the codec is installed.
#include "CodecInstaller.h"
#include "InstallerTexts.h"
#include "win/DllSearch.h"
#include "win/Scoped.h"

#include <shellapi.h>

#include <string>

namespace {

bool HasSilentSwitch() {
    int count = 0;
    const win::ScopedLocal<LPWSTR*> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    bool silent = false;
    for (int i = 1; arguments.get() && i < count; ++i) {
        silent = silent || lstrcmpiW(arguments.get()[i], L"/S") == 0 || lstrcmpiW(arguments.get()[i], L"-S") == 0;
    }
    return silent;
}

std::wstring SystemMessage(DWORD error) {
    win::ScopedLocal<wchar_t*> text;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<LPWSTR>(text.Receive()), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text.get(), length) : L"error " + std::to_wstring(error);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return message;
}

std::wstring FailureText(const mp3codec::InstallOutcome& outcome) {
    namespace texts = mp3codec::texts;
    if (outcome.failedAt == mp3codec::InstallStep::ReadDriver) {
        return texts::kDamaged;
    }
    std::wstring text = outcome.failedAt == mp3codec::InstallStep::CopyDriver ? texts::kCopyFailed + outcome.driverPath
                                                                              : std::wstring(texts::kRegisterFailed);
    text += L"\n\n" + std::wstring(texts::kSystemSays) + SystemMessage(outcome.error);
    if (outcome.error == ERROR_ACCESS_DENIED) {
        text += L"\n\n" + std::wstring(texts::kNeedsAdministrator);
    }
    return text;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    win::LimitDllSearchToSystemFolder();
    const bool silent = HasSilentSwitch();
    const mp3codec::InstallOutcome outcome = mp3codec::InstallCodec(instance);
    const bool installed = outcome.failedAt == mp3codec::InstallStep::Done;
    if (!silent) {
        const std::wstring text = installed ? std::wstring(mp3codec::texts::kInstalled) : FailureText(outcome);
        MessageBoxW(nullptr, text.c_str(), mp3codec::texts::kCaption,
                    MB_OK | (installed ? MB_ICONINFORMATION : MB_ICONERROR));
    }
    return installed ? 0 : 1;
}

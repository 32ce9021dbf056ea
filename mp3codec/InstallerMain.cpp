// l3codecp.exe: installs the suite's MP3 codec. "/S" installs without a word;
// "/U" removes it without a word. The exit code is 0 when that succeeded.
#include "CodecInstaller.h"
#include "InstallerTexts.h"
#include "win/DllSearch.h"
#include "win/Scoped.h"

#include <shellapi.h>

#include <string>

namespace {

// "/X" or "-X" among the arguments, in any case.
bool HasSwitch(wchar_t letter) {
    int count = 0;
    const win::ScopedLocal<LPWSTR*> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    const wchar_t slash[] = {L'/', letter, L'\0'}, dash[] = {L'-', letter, L'\0'};
    bool found = false;
    for (int i = 1; arguments.get() && i < count; ++i) {
        found = found || lstrcmpiW(arguments.get()[i], slash) == 0 || lstrcmpiW(arguments.get()[i], dash) == 0;
    }
    return found;
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

std::wstring SuccessText(const mp3codec::InstallOutcome& outcome) {
    namespace texts = mp3codec::texts;
    std::wstring text = texts::kInstalled;
    if (!outcome.setAside.empty()) {
        text += L"\n\n" + std::wstring(texts::kOldInUse) + outcome.setAside + texts::kOldDeletedAtRestart;
    }
    return text;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    win::LimitDllSearchToSystemFolder();
    if (HasSwitch(L'U')) {
        return mp3codec::UninstallCodec() == ERROR_SUCCESS ? 0 : 1;
    }
    const bool silent = HasSwitch(L'S');
    const mp3codec::InstallOutcome outcome = mp3codec::InstallCodec(instance);
    const bool installed = outcome.failedAt == mp3codec::InstallStep::Done;
    if (!silent) {
        const std::wstring text = installed ? SuccessText(outcome) : FailureText(outcome);
        MessageBoxW(nullptr, text.c_str(), mp3codec::texts::kCaption,
                    MB_OK | (installed ? MB_ICONINFORMATION : MB_ICONERROR));
    }
    return installed ? 0 : 1;
}

#include "CommandLineRun.h"

#include "ConsoleOutput.h"
#include "ConverterFormats.h"
#include "RunSession.h"
#include "StatusForm.h"
#include "Texts.h"

#include "core/BatchRules.h"
#include "core/CommandLine.h"
#include "jobs/ConvertJobs.h"
#include "win/FullPath.h"
#include "win/ProgramPath.h"

#include <shellapi.h>

namespace ui {
namespace {

// On the console when there is one, else in a message box.
void Tell(TConsoleOutput& console, const std::wstring& text, UINT icon) {
    if (console.Attached()) {
        console.Line(text);
    } else {
        MessageBoxW(nullptr, text.c_str(), texts::ApplicationTitle, MB_OK | icon);
    }
}

// Names relative to the folder the command was given in, made whole.
std::vector<std::wstring> FullPaths(const std::vector<std::wstring>& names) {
    std::vector<std::wstring> full;
    for (const std::wstring& name : names) {
        full.push_back(win::FullPath(name));
    }
    return full;
}

JobKind KindOf(const core::CommandLine& command) {
    switch (command.kind) {
    case core::CommandKind::WavToMp3:
        return JobKind::WavToMp3;
    case core::CommandKind::WavToWav:
        return JobKind::WavToWav;
    default:
        return command.cdQuality ? JobKind::Mp3ToCdWav : JobKind::Mp3ToWav;
    }
}

// The command's format in place of the stored choice of its list: the MP3
// lists for WAV to MP3, the WAV list otherwise. False when there is no such
// entry. The choice holds for this run only.
bool TakeCommandFormat(const core::CommandLine& command, const TConverterFormats& formats,
                       core::FormatSelections& selected) {
    if (command.format < 0) {
        return true;
    }
    const bool mp3 = command.kind == core::CommandKind::WavToMp3;
    const size_t count = mp3 ? formats.MP3Formats().size() : formats.PCMFormats().size();
    if (static_cast<size_t>(command.format) >= count) {
        return false;
    }
    selected[mp3 ? 0 : 2] = command.format;
    return true;
}

// The run goes as the page's Go button starts it, with the same jobs, checks
// and messages, but no main window: the progress window stands alone, or
// the console takes its place.
int RunParsed(const core::CommandLine& command, TConsoleOutput& console) {
    TConverterFormats formats;
    formats.Enumerate();
    if (command.kind == core::CommandKind::ListFormats) {
        Tell(console, formats.Listing(), MB_ICONINFORMATION);
        return core::kExitSucceeded;
    }
    core::FormatSelections selected = formats.StoredSelections(win::ProgramFolder());
    if (!TakeCommandFormat(command, formats, selected)) {
        Tell(console,
             std::wstring(texts::NoSuchFormat) + L" " + std::to_wstring(command.format) + L".\r\n" +
                 texts::CommandLineUsage,
             MB_ICONERROR);
        return core::kExitBadArguments;
    }
    TRunSession session;
    session.SetConsole(console.Attached() ? &console : nullptr);
    TStatusForm statusForm(nullptr, session);
    session.AttachStatusForm(&statusForm);
    const JobKind kind = KindOf(command);
    if (command.IsBatch()) {
        const std::vector<JobRequest> entries = formats.BatchRequests(
            kind, core::NamesToAdd({}, FullPaths(command.sources)), false, win::FullPath(command.folder), selected[0]);
        session.Run([&] {
            session.RunEntries(entries);
            return true;
        });
        session.ShowBatchSummary();
    } else {
        const JobRequest request = formats.Request(kind, win::FullPath(command.sources.front()),
                                                   win::FullPath(command.destination), selected[0], selected[2]);
        session.Run([&] {
            RunConversion(request, session);
            return true;
        });
    }
    return session.Succeeded() ? core::kExitSucceeded : core::kExitFailed;
}

} // namespace

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; list && i < count; ++i) {
        arguments.emplace_back(list[i]);
    }
    LocalFree(list);
    return arguments;
}

int RunCommandLine(const std::vector<std::wstring>& arguments) {
    TConsoleOutput console;
    const std::optional<core::CommandLine> command = core::ParseCommandLine(arguments);
    if (!command) {
        Tell(console, texts::CommandLineUsage, MB_ICONERROR);
        return core::kExitBadArguments;
    }
    return RunParsed(*command, console);
}

} // namespace ui

#include "CommandLineRun.h"

#include "ConsoleOutput.h"
#include "MainForm.h"
#include "StatusForm.h"
#include "Texts.h"

#include "core/CommandLine.h"

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

// The main window stays hidden; it holds the pages, formats and conversion
// streams the run uses.
int RunParsed(const core::CommandLine& command, TConsoleOutput& console) {
    TMainForm mainForm;
    TStatusForm statusForm(mainForm);
    mainForm.AttachStatusForm(&statusForm);
    if (command.kind == core::CommandKind::ListFormats) {
        Tell(console, mainForm.FormatListing(), MB_ICONINFORMATION);
        return core::kExitSucceeded;
    }
    if (!mainForm.SelectCommandFormat(command)) {
        Tell(console,
             std::wstring(texts::NoSuchFormat) + L" " + std::to_wstring(command.format) + L".\r\n" +
                 texts::CommandLineUsage,
             MB_ICONERROR);
        return core::kExitBadArguments;
    }
    return mainForm.RunCommand(command, console.Attached() ? &console : nullptr) ? core::kExitSucceeded
                                                                                 : core::kExitFailed;
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

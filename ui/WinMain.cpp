// The converter's start: the main window, then the hidden progress window,
// then the message loop until the main window has closed. With arguments it
// runs the one job they name instead.
#include "Application.h"
#include "CommandLineRun.h"
#include "MainForm.h"
#include "StatusForm.h"
#include "win/DllSearch.h"

#include "codec/LocalCodec.h"
#include "win/ProgramPath.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    win::LimitDllSearchToSystemFolder();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                          ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const codec::LocalCodec ownCodec(win::ProgramFolder());
    int exitCode = 0;
    const std::vector<std::wstring> arguments = ui::ProgramArguments();
    if (!arguments.empty()) {
        exitCode = ui::RunCommandLine(arguments);
    } else {
        ui::TMainForm mainForm;
        ui::TStatusForm statusForm(mainForm.Handle(), mainForm);
        mainForm.AttachStatusForm(&statusForm);
        mainForm.Show(showCommand);
        exitCode = ui::RunMessageLoop(mainForm.Handle());
    }
    CoUninitialize();
    return exitCode;
}

// The main window's part in a run from the command line: its pages take the
// command's names and choices, and the run goes as the page's Go button
// starts it, so the jobs, checks and messages are the window's own.
#include "MainForm.h"

#include "ConsoleOutput.h"
#include "Texts.h"
#include "win/FullPath.h"

#include <windowsx.h>

namespace ui {
namespace {

// Names relative to the folder the command was given in, made whole before
// they go into fields that the window otherwise fills from dialogs.
std::vector<std::wstring> FullPaths(const std::vector<std::wstring>& names) {
    std::vector<std::wstring> full;
    for (const std::wstring& name : names) {
        full.push_back(win::FullPath(name));
    }
    return full;
}

std::wstring ListingOf(const wchar_t* heading, HWND list) {
    std::wstring listing = heading;
    for (int i = 0; i < ComboBox_GetCount(list); ++i) {
        std::wstring entry(static_cast<size_t>(ComboBox_GetLBTextLen(list, i)) + 1, L'\0');
        entry.resize(static_cast<size_t>(ComboBox_GetLBText(list, i, entry.data())));
        listing += L"\r\n" + std::to_wstring(i) + L"\t" + entry;
    }
    return listing;
}

} // namespace

std::wstring TMainForm::FormatListing() const {
    return ListingOf(texts::Mp3FormatsHeading, mp3format()) + L"\r\n" +
           ListingOf(texts::WavFormatsHeading, WAVFormats());
}

// The choice holds for this run only: settings.dat keeps the window's own.
bool TMainForm::SelectCommandFormat(const core::CommandLine& command) {
    if (command.format < 0) {
        return true;
    }
    const bool mp3 = command.kind == core::CommandKind::WavToMp3;
    HWND list = mp3 ? mp3format() : WAVFormats();
    if (command.format >= ComboBox_GetCount(list)) {
        return false;
    }
    ComboBox_SetCurSel(list, command.format);
    if (mp3) {
        ComboBox_SetCurSel(mp3format2(), command.format);
    }
    return true;
}

bool TMainForm::RunCommand(const core::CommandLine& command, TConsoleOutput* console) {
    console_ = console;
    if (command.IsBatch()) {
        RunBatchCommand(command);
    } else {
        RunSingleFileCommand(command);
    }
    const bool cancelled = CancelRequested();
    console_ = nullptr;
    return !runFailed_ && !cancelled;
}

void TMainForm::RunBatchCommand(const core::CommandLine& command) {
    const bool toMp3 = command.kind == core::CommandKind::WavToMp3;
    TBatchPage& page = toMp3 ? *wavMp3Batch_ : *mp3WavBatch_;
    page.TakeCommand(FullPaths(command.sources), win::FullPath(command.folder), command.cdQuality);
    StartRun(page.GoButton(), toMp3 ? ui::RunMode::WavToMp3Batch : ui::RunMode::Mp3ToWavBatch, page.Job());
}

void TMainForm::RunSingleFileCommand(const core::CommandLine& command) {
    TSingleFilePage* page = mp3WavPage_.get();
    ui::RunMode mode = ui::RunMode::Mp3ToWavFile;
    if (command.kind == core::CommandKind::WavToMp3) {
        page = wavMp3Page_.get();
        mode = ui::RunMode::WavToMp3File;
    } else if (command.kind == core::CommandKind::WavToWav) {
        page = wavWavPage_.get();
        mode = ui::RunMode::WavToWavFile;
    } else {
        Button_SetCheck(page->Option(), command.cdQuality ? BST_CHECKED : BST_UNCHECKED);
    }
    page->Source().SetFileName(win::FullPath(command.sources.front()));
    page->Destination().SetFileName(win::FullPath(command.destination));
    StartRun(page->GoButton(), mode, page->Job());
}

} // namespace ui

#pragma once
// The converter's main window: the pages, one tab per function, the bottom
// bar with the web, about and exit buttons, the status bar with its progress
// meter, and the run state that the progress window and the jobs share.
#include "BatchPage.h"
#include "Controls.h"
#include "ImageButton.h"
#include "PageJob.h"
#include "Pictures.h"
#include "ProfileStorage.h"
#include "SingleFilePage.h"
#include "TabbedPages.h"
#include "TagEditorPage.h"
#include "codec/CodecDiscovery.h"
#include "core/BatchRules.h"
#include "core/CommandLine.h"
#include "core/FormStorage.h"
#include "core/ProgressMeter.h"
#include "jobs/JobHost.h"
#include "win/Scoped.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace ui {

// The status-bar part that holds the progress meter.
constexpr int kMeterPanel = 1;

class TStatusForm;
class TConsoleOutput;

class TMainForm : public TWindow, public FormatListSink, public JobHost {
public:
    TMainForm();
    ~TMainForm() override;

    void AttachStatusForm(TStatusForm* statusForm) { statusForm_ = statusForm; }
    // The first call restores the stored placement and option controls.
    void Show(int showCommand);

    // Run state, read and written by the progress window and the batch runs.
    core::MeterRect MeterRect;
    ui::RunMode RunMode = ui::RunMode::None;
    int FilesDone = 0;
    int FileCount = 1;
    int CurrentPercent = 0;
    bool Converting = false;
    std::wstring ProgramDir;

    void RequestCancel() { cancelRequested_ = true; }
    // The job of the page whose Go button started the run.
    const PageJob& RunJob() const { return runJob_; }
    // The batch entry being converted, named in the job's messages; empty
    // outside a batch job.
    void SetBatchEntry(std::wstring entry) { batchEntry_ = std::move(entry); }
    void ForgetWrittenByRun() { writtenByRun_.clear(); }
    // What the batch run has done with its entries; the job messages shown
    // for an entry count as its failure.
    core::BatchTally& RunTally() { return runTally_; }
    bool WrittenByRun(const std::wstring& name) const;
    void ShowProgressLine(const std::wstring& line);
    // Runs the job of the current run. A failure that ended it is shown as the
    // job's own messages are; false when the page lacked what the run needs.
    bool RunCurrentJob();

    // A command from the program's arguments (MainFormCommandLine.cpp). The
    // format lists, numbered from 0, as the command line lists them.
    std::wstring FormatListing() const;
    // Selects the command's format in its list; false when there is no such entry.
    bool SelectCommandFormat(const core::CommandLine& command);
    // Runs the command as its page's Go button would, in the progress window
    // or, with a console, printing to it; true when every file was converted.
    bool RunCommand(const core::CommandLine& command, TConsoleOutput* console);

    // The pages' file-name fields, each by its own name.
    TFileNameEdit& OutputFileEd() { return mp3WavPage_->Destination(); }
    TFileNameEdit& Output2Ed() { return wavMp3Page_->Destination(); }

    // JobHost
    ConverterComponents& Components() override { return *components_; }
    const std::vector<core::WaveFormatRecord>& MP3Formats() const override { return discovery_.MP3Formats; }
    const std::vector<core::WaveFormatRecord>& PCMFormats() const override { return discovery_.PCMFormats; }
    int MP3FormatItemCount() const override;
    int MP3FormatItemIndex() const override;
    int WAVFormatsItemCount() const override;
    int WAVFormatsItemIndex() const override;
    bool CancelRequested() const override;
    void SetConverting(bool converting) override { Converting = converting; }
    void SetProStatus(int percent) override;
    void ProcessMessages() override;
    void ShowJobMessage(const std::wstring& text) override;
    void DestinationCreated(const std::wstring& name) override;

    // FormatListSink
    void AddMP3FormatEntry(const std::wstring& description) override;
    void AddPCMFormatEntry(const std::wstring& description) override;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Building the window (MainFormPages.cpp).
    void CreateControls();
    void CreateImageLists();
    void RedrawImageLists();
    void CreatePage(TPanel& page, int headerId, const wchar_t* header, int columnId, const wchar_t* title);
    void CreateSinglePages();
    void CreateBottomBar();
    void CreateStatusBar();
    void CreateHints();
    TImageButton& AddImageButton(TPanel& panel, int id, POINT at, const wchar_t* text, void (TMainForm::*click)());
    HICON KeepIcon(HICON icon);
    void LayoutChildren();

    // Message handlers.
    void FormCreate();
    void FormShow(int& showCommand, bool& minimizeAfterShow);
    void FormDestroy();
    void FormCloseQuery();
    void FormEndSession();
    void CloseAfterRun();
    void FormResize();
    void FormActivate();
    void FormDeactivate();
    void FormDpiChanged(int dpi, const RECT& suggested);
    void OnCommand(int id, int code, HWND control);
    LRESULT OnNotify(const NMHDR& header);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnListKey(HWND list, int key);
    void StatusBar1DrawPanel(HDC dc, const RECT& panel);
    void SBarPaintMore();
    void DrawWebButton(const DRAWITEMSTRUCT& item);

    void GoBtn1Click();
    void Gobtn2Click();
    void GoBtn3Click();
    void GoBtn4Click();
    void GoBtn5Click();
    void StartRun(TImageButton& button, ui::RunMode mode, PageJob job);
    void RunInConsole();
    void RunBatchCommand(const core::CommandLine& command);
    void RunSingleFileCommand(const core::CommandLine& command);
    void ShowBatchSummary();
    // The batch pages' runs, which the progress window calls once per Go.
    PageJob Gobtn2Proc() { return mp3WavBatch_->Job(); }
    PageJob Gobtn4Proc() { return wavMp3Batch_->Job(); }
    void InputFileEdAfterDialog(std::wstring& fileName, bool& action);
    void input2edAfterDialog(std::wstring& fileName, bool& action);
    void ueberbtnClick();
    void wwwBtnClick();
    void EndeBtnClick();
    // A control anywhere on the window, by its identifier.
    HWND Item(int id) const;
    bool Checked(int id) const;

    // Stored settings (MainFormSettings.cpp).
    void ReadSettings();
    core::StoredControls ReadStoredControls() const;
    void ApplyStoredControls(const core::StoredControls& controls);

    // Format lists (MainFormFormats.cpp).
    void LoadComponents();
    void FillFormatLists();
    void mp3formatChange();
    void mp3format2Change();
    void savesetting();
    // The format lists, in the order settings.dat keeps their choices.
    HWND mp3format() const { return wavMp3Page_->Option(); }
    HWND mp3format2() const { return wavMp3Batch_->Format(); }
    HWND WAVFormats() const { return wavWavPage_->Option(); }

    TFormStorage FormStorage1;

    std::unique_ptr<ConverterComponents> components_;
    CodecDiscovery discovery_{*this};
    bool cancelRequested_ = false;
    PageJob runJob_;
    // A close from outside while the progress window runs a job waits for the
    // job to clean up; it counts as a cancel.
    enum class PendingClose { None, Close, EndSession };
    bool running_ = false;
    PendingClose pendingClose_ = PendingClose::None;
    std::wstring batchEntry_;
    // The files the batch run has created so far.
    std::vector<std::wstring> writtenByRun_;
    core::BatchTally runTally_;
    bool SyncingFormats = false;
    // Where a run from the command line prints, instead of the progress window
    // and message boxes; null for the window's own runs.
    TConsoleOutput* console_ = nullptr;
    // The current run showed a message or ended early.
    bool runFailed_ = false;
    TStatusForm* statusForm_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;

    win::ScopedImageList tabImages_;
    win::ScopedImageList subTabImages_;
    std::vector<win::ScopedIcon> icons_;
    HICON webLogo_ = nullptr;
    // The window's large icon, shown again by the about window.
    HICON programIcon_ = nullptr;
    HICON browseGlyph_ = nullptr;

    AnchorLayout layout_;
    std::unique_ptr<TTabbedPages> tabs_;
    std::vector<std::unique_ptr<TTabbedPages>> subTabs_;
    std::vector<std::unique_ptr<TPanel>> panels_;
    std::unique_ptr<TSingleFilePage> mp3WavPage_, wavMp3Page_, wavWavPage_;
    std::unique_ptr<TBatchPage> mp3WavBatch_, wavMp3Batch_;
    std::unique_ptr<TTagEditorPage> tagEditor_;
    std::vector<std::unique_ptr<TImageButton>> imageButtons_;
    std::unique_ptr<TPanel> bottomBar_;
    TImageButton* ueberbtn_ = nullptr;
    TImageButton* endeBtn_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND tooltips_ = nullptr;
    HWND wwwBtn_ = nullptr;
};

} // namespace ui

#pragma once
// The converter's main window: the pages, one tab per function, the bottom
// bar with the web, about and exit buttons, the status bar with its progress
// meter, and the run state that the progress window and the jobs share.
#include "BatchPage.h"
#include "Controls.h"
#include "ConverterFormats.h"
#include "ImageButton.h"
#include "PageJob.h"
#include "Pictures.h"
#include "ProfileStorage.h"
#include "RunSession.h"
#include "SingleFilePage.h"
#include "TabbedPages.h"
#include "TagEditorPage.h"
#include "core/FormStorage.h"
#include "core/ProgressMeter.h"
#include "win/Scoped.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace ui {

// The status-bar part that holds the progress meter.
constexpr int kMeterPanel = 1;

class TMainForm : public TWindow, public TRunSession {
public:
    TMainForm();
    ~TMainForm() override;

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

    // The jobs of the single-file pages and the batch runs, each converting
    // source to destination in the format chosen in the window.
    void ConvertMP3WAV(const std::wstring& source, const std::wstring& destination);
    void ConvertMP3CDWAV(const std::wstring& source, const std::wstring& destination);
    void ConvertWAVMP3(const std::wstring& source, const std::wstring& destination);
    void ConvertWAV2WAV(const std::wstring& source, const std::wstring& destination);
    // The requests of a batch page's entries.
    std::vector<JobRequest> BatchRequests(JobKind kind, const std::vector<std::wstring>& sources, bool besideSource,
                                          const std::wstring& folderField) const;

    // The pages' file-name fields, each by its own name.
    TFileNameEdit& OutputFileEd() { return mp3WavPage_->Destination(); }
    TFileNameEdit& Output2Ed() { return wavMp3Page_->Destination(); }

    // The run state as the jobs and the batch runs report it.
    void SetConverting(bool converting) override { Converting = converting; }
    void EntryEnded(int index, bool cutShort) override;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND MessageOwner() const override { return Handle(); }
    void ShowMeter(int percent) override;
    void ShowProgressLine(const std::wstring& line) override;

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
    void RunPageJob(JobKind kind, const std::wstring& source, const std::wstring& destination);
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
    void FillFormatLists();
    void mp3formatChange();
    void mp3format2Change();
    void savesetting();
    // The format lists, in the order settings.dat keeps their choices.
    HWND mp3format() const { return wavMp3Page_->Option(); }
    HWND mp3format2() const { return wavMp3Batch_->Format(); }
    HWND WAVFormats() const { return wavWavPage_->Option(); }

    TFormStorage FormStorage1;

    TConverterFormats formats_;
    // A close from outside while the progress window runs a job waits for the
    // job to clean up; it counts as a cancel.
    enum class PendingClose { None, Close, EndSession };
    bool running_ = false;
    PendingClose pendingClose_ = PendingClose::None;
    bool SyncingFormats = false;
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

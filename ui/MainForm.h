#pragma once
// The converter's main window: one tab per function, the bottom bar with the
// web, about and exit buttons, the status bar with its progress meter, and
// the run state that the progress window and the jobs share.
#include "Controls.h"
#include "DropTarget.h"
#include "FileDialogs.h"
#include "FileNameEdit.h"
#include "ImageButton.h"
#include "Pictures.h"
#include "ProfileStorage.h"
#include "Scoped.h"
#include "TabbedPages.h"
#include "codec/CodecDiscovery.h"
#include "core/FormStorage.h"
#include "core/ProgressMeter.h"
#include "jobs/JobHost.h"

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// The status-bar part that holds the progress meter.
constexpr int kMeterPanel = 1;

class TStatusForm;
struct SinglePageSpec;

class TMainForm : public TWindow, public FormatListSink, public JobHost {
public:
    TMainForm();
    ~TMainForm() override;

    void AttachStatusForm(TStatusForm* statusForm) { statusForm_ = statusForm; }
    // The first call restores the stored placement and option controls.
    void Show(int showCommand);

    // Run state, read and written by the progress window and the batch runs.
    core::MeterRect MeterRect;
    int RunMode = 0;
    int FilesDone = 0;
    int FileCount = 1;
    int CurrentPercent = 0;
    bool Converting = false;
    std::wstring ProgramDir;

    void RequestCancel() { cancelRequested_ = true; }
    TFileNameEdit& InputFileEd() { return *inputFileEd_; }
    TFileNameEdit& OutputFileEd() { return *outputFileEd_; }
    TFileNameEdit& Input2Ed() { return *input2Ed_; }
    TFileNameEdit& Output2Ed() { return *output2Ed_; }
    TFileNameEdit& Input3Ed() { return *input3Ed_; }
    TFileNameEdit& Output3Ed() { return *output3Ed_; }
    bool CdQualityTicked() const;
    int FileListCount() const;
    int FileList2Count() const;
    void Gobtn2Proc();
    void Gobtn4Proc();

    // JobHost
    ConverterComponents& Components() override { return *components_; }
    const std::vector<core::WaveFormatRecord>& MP3Formats() const override { return discovery_.MP3Formats; }
    const std::vector<core::WaveFormatRecord>& PCMFormats() const override { return discovery_.PCMFormats; }
    int MP3FormatItemCount() const override;
    int MP3FormatItemIndex() const override;
    int WAVFormatsItemCount() const override;
    int WAVFormatsItemIndex() const override;
    bool CancelRequested() const override { return cancelRequested_; }
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
    void CreatePage(TPanel& page, int headerId, const wchar_t* header, int columnId, const wchar_t* title);
    void CreateSinglePages();
    void CreateSinglePage(TPanel& page, SinglePageSpec description, std::unique_ptr<TFileNameEdit>& source,
                          std::unique_ptr<TFileNameEdit>& destination, HWND& option, TImageButton*& go,
                          void (TMainForm::*click)());
    void CreateBatchPage(TPanel& page, bool toMp3);
    void CreateTagEditor(TPanel& area);
    void CreateBottomBar();
    void CreateStatusBar();
    void CreateHints();
    HWND AddGlyphButton(TPanel& panel, const wchar_t* caption, RECT rect, int id, pictures::Icon glyph);
    std::unique_ptr<TFileNameEdit> AddFileNameEdit(TPanel& page, RECT rect, FileNameEditSpec description);
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
    void OnCommand(int id, int code, HWND control);
    bool OnButtonClick(int id);
    LRESULT OnNotify(const NMHDR& header);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void StatusBar1DrawPanel(HDC dc, const RECT& panel);
    void SBarPaintMore();
    void DrawWebButton(const DRAWITEMSTRUCT& item);

    void GoBtn1Click();
    void Gobtn2Click();
    void GoBtn3Click();
    void GoBtn4Click();
    void GoBtn5Click();
    void StartRun(TImageButton& button, int mode);
    void InputFileEdAfterDialog(std::wstring& fileName, bool& action);
    void input2edAfterDialog(std::wstring& fileName, bool& action);
    void ueberbtnClick();
    void wwwBtnClick();
    void EndeBtnClick();
    // A control anywhere on the window, by its identifier.
    HWND Item(int id) const;
    bool Checked(int id) const;

    // Batch lists (MainFormBatchLists.cpp) and runs (MainFormBatchRun.cpp).
    void AcceptDrops();
    void AddBtnClick();
    void AddBtn2Click();
    void DelbtnClick();
    void DelBtn2Click();
    void DelAllBtnClick();
    void DelAllBtn2Click();
    void FileListDropFiles(const std::vector<std::wstring>& names);
    void FileList2DropFiles(const std::vector<std::wstring>& names);
    void AddToList(HWND list, const std::vector<std::wstring>& chosen);
    void DeleteSelected(HWND list);
    void RunBatch(HWND list, int besideSourceId, const TFileNameEdit& folderEd, const wchar_t* extension,
                  const std::function<void(const std::wstring&, const std::wstring&)>& job);
    bool WrittenByRun(const std::wstring& name) const;

    // Tag editor (MainFormTagEditor.cpp).
    void FillGenreList();
    void FillID3TagInformation(const std::wstring& fileName);
    void ChangeID3Tag(const std::wstring& fileName);
    void OpenBtnClick();
    void SaveBtnClick();
    void edCommentChange();
    void TagFieldChange(HWND edit);
    // Handles a command from one of the tag fields; false for any other control.
    bool TagFieldCommand(int id, int code, HWND control);

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

    TFileDialog Mp3SelectDialog;
    TFileDialog WavSelectDialog;
    TFileDialog MP3SaveDialog;
    TFormStorage FormStorage1;
    DropHandler fileListDrop_;
    DropHandler fileList2Drop_;
    // The last text of each tag field that fitted its width in bytes.
    std::map<HWND, std::wstring> tagFieldTexts_;

    std::unique_ptr<ConverterComponents> components_;
    CodecDiscovery discovery_{*this};
    bool cancelRequested_ = false;
    // A close from outside while the progress window runs a job waits for the
    // job to clean up; it counts as a cancel.
    enum class PendingClose { None, Close, EndSession };
    bool running_ = false;
    PendingClose pendingClose_ = PendingClose::None;
    // The batch entry being converted, named in its messages, and the files
    // the batch run has created so far.
    std::wstring batchEntry_;
    std::vector<std::wstring> writtenByRun_;
    bool SyncingFormats = false;
    TStatusForm* statusForm_ = nullptr;

    HFONT font_ = nullptr;
    HIMAGELIST tabImages_ = nullptr;
    HIMAGELIST subTabImages_ = nullptr;
    ScopedBitmap columnPicture_;
    std::vector<ScopedIcon> icons_;
    std::map<HWND, HICON> glyphs_;
    HICON webLogo_ = nullptr;
    // The window's large icon, shown again by the about window.
    HICON programIcon_ = nullptr;
    HICON browseGlyph_ = nullptr;

    AnchorLayout layout_;
    std::unique_ptr<TTabbedPages> tabs_;
    std::vector<std::unique_ptr<TTabbedPages>> subTabs_;
    std::vector<std::unique_ptr<TPanel>> panels_;
    std::vector<std::unique_ptr<TImageButton>> imageButtons_;
    std::unique_ptr<TPanel> bottomBar_;
    std::unique_ptr<TFileNameEdit> inputFileEd_, outputFileEd_, input2Ed_, output2Ed_, input3Ed_, output3Ed_;
    std::unique_ptr<TFileNameEdit> outDirectoryEd_, outDirectory2Ed_;
    TImageButton* goBtn1_ = nullptr;
    TImageButton* gobtn2_ = nullptr;
    TImageButton* goBtn3_ = nullptr;
    TImageButton* goBtn4_ = nullptr;
    TImageButton* goBtn5_ = nullptr;
    TImageButton* ueberbtn_ = nullptr;
    TImageButton* endeBtn_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND tooltips_ = nullptr;
    HWND mp3format_ = nullptr;
    HWND mp3format2_ = nullptr;
    HWND WAVFormats_ = nullptr;
    HWND cdqualcheck_ = nullptr;
    HWND fileList_ = nullptr;
    HWND fileList2_ = nullptr;
    HWND wwwBtn_ = nullptr;
};

} // namespace ui

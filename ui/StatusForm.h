#pragma once
// The progress window. Shown modally by a Go button, it runs the job that the
// button's page handed the main window once it has appeared, shows the
// current-file and whole-run bars meanwhile, takes cancel requests, and
// closes itself a tenth of a second after the run.
#include "Controls.h"
#include "win/Scoped.h"

#include <memory>

namespace ui {

class TMainForm;

class TStatusForm : public TWindow {
public:
    explicit TStatusForm(TMainForm& main);

    void ShowModal();
    void ResetProgressBars();
    void SetProgress(int currentFile, int total);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void FormActivate();
    void RunCommand();
    void CancelBtnClick();
    void FormCloseQuery();
    void Timer1Timer();
    void Refuse();
    void CloseModal(int result);

    TMainForm& main_;
    std::unique_ptr<THeaderStrip> header_;
    win::ScopedIcon cancelGlyph_;
    HWND progressBar1_ = nullptr;
    HWND progressBar2_ = nullptr;
    HWND cancelBtn_ = nullptr;
    bool runFinished_ = true;
    int modalResult_ = 0;
};

} // namespace ui

#pragma once
// The progress window. Shown modally by a Go button or a command-line run, it
// runs the session's job once it has appeared, shows the
// current-file and whole-run bars meanwhile, takes cancel requests, and
// closes itself a tenth of a second after the run.
#include "Controls.h"
#include "win/Scoped.h"

#include <memory>

namespace ui {

class TRunSession;

class TStatusForm : public TWindow {
public:
    // Modal over owner (none for a run from the command line).
    TStatusForm(HWND owner, TRunSession& session);

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

    HWND owner_;
    TRunSession& session_;
    std::unique_ptr<THeaderStrip> header_;
    win::ScopedIcon cancelGlyph_;
    HWND progressBar1_ = nullptr;
    HWND progressBar2_ = nullptr;
    HWND cancelBtn_ = nullptr;
    bool runFinished_ = true;
    int modalResult_ = 0;
};

} // namespace ui

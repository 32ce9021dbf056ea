#pragma once
// The about window: created for each showing, modal over the main window.
#include "Controls.h"

#include <memory>

namespace ui {

class TAboutBox : public TWindow {
public:
    TAboutBox(HWND owner, HICON programIcon);
    void ShowModal();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class RaisedPanel;
    void CreateControls();

    HWND owner_;
    HICON programIcon_;
    std::unique_ptr<TPanel> panel_;
    bool closed_ = false;
};

} // namespace ui

#pragma once
// The main window's profile store: its placement and eight option controls in
// the section "TMainForm" of a profile file named after the program, in the
// user's settings folder (read from the Windows directory, where earlier
// versions kept it, until the first save). Restored once, at the first
// showing; saved after an agreed close, or at destruction when not saved
// since.
#include "core/FormStorage.h"

#include <windows.h>

#include <optional>
#include <string>

namespace ui {

class TFormStorage {
public:
    explicit TFormStorage(std::wstring iniFileName);

    // Applies the stored position to the hidden form and hands back the state
    // and controls to apply; nothing when the stored layout says so. From then
    // on the state counts as restored.
    std::optional<core::RestoredForm> RestoreFormPlacement(HWND form, const core::StoredControls& current);

    // Writes every key; a profile that cannot be written is reported in the
    // application's error box (owned by owner) and the state stays unsaved.
    void SaveFormPlacement(HWND form, HWND owner, const core::StoredControls& controls, bool visible);

    bool Restored() const { return restored_; }
    bool Saved() const { return saved_; }

private:
    std::wstring iniFileName_;
    // The profile in the Windows directory, as the profile functions find a bare name.
    std::wstring oldFile_;
    bool restored_ = false;
    bool saved_ = false;
};

// The profile's file name for the running program.
std::wstring ProgramProfileName();

} // namespace ui

#include "ProfileStorage.h"

#include "Application.h"
#include "win/ProgramPath.h"
#include "win/Scoped.h"

#include <vector>

namespace ui {
namespace {

constexpr DWORD kFirstValueCapacity = 256;

class PrivateProfile : public core::ProfileSection {
public:
    explicit PrivateProfile(const std::wstring& file) : file_(file) {}

    std::wstring Read(const std::wstring& key, const std::wstring& fallback) override {
        for (DWORD capacity = kFirstValueCapacity;; capacity *= 2) {
            std::vector<wchar_t> value(capacity, L'\0');
            const DWORD length = GetPrivateProfileStringW(core::kProfileSection, key.c_str(), fallback.c_str(),
                                                          value.data(), capacity, file_.c_str());
            // A value that filled the buffer may have been cut.
            if (length < capacity - 1) {
                return std::wstring(value.data(), length);
            }
        }
    }

    bool Write(const std::wstring& key, const std::wstring& value) override {
        return WritePrivateProfileStringW(core::kProfileSection, key.c_str(), value.c_str(), file_.c_str()) != FALSE;
    }

private:
    const std::wstring& file_;
};

core::ScreenInfo Screen() {
    win::ScopedWindowDC screen(nullptr);
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

core::FormPlacement ToForm(const WINDOWPLACEMENT& p) {
    const RECT& r = p.rcNormalPosition;
    return {static_cast<int>(p.flags),
            static_cast<int>(p.showCmd),
            {p.ptMinPosition.x, p.ptMinPosition.y},
            {p.ptMaxPosition.x, p.ptMaxPosition.y},
            {r.left, r.top, r.right, r.bottom}};
}

WINDOWPLACEMENT FromForm(const core::FormPlacement& p) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    placement.flags = static_cast<UINT>(p.flags);
    placement.showCmd = static_cast<UINT>(p.showCmd);
    placement.ptMinPosition = {p.minPosition.x, p.minPosition.y};
    placement.ptMaxPosition = {p.maxPosition.x, p.maxPosition.y};
    placement.rcNormalPosition = {p.normalPosition.left, p.normalPosition.top, p.normalPosition.right,
                                  p.normalPosition.bottom};
    return placement;
}

WINDOWPLACEMENT CurrentPlacement(HWND form) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(form, &placement);
    return placement;
}

} // namespace

std::optional<core::RestoredForm> TFormStorage::RestoreFormPlacement(HWND form, const core::StoredControls& current) {
    PrivateProfile profile(iniFileName_);
    auto restored = core::RestoreForm(profile, ToForm(CurrentPlacement(form)), Screen(), current);
    if (restored && restored->applyPlacement) {
        // The form is not shown yet; its showing applies the stored state.
        WINDOWPLACEMENT placement = FromForm(restored->placement);
        placement.showCmd = SW_HIDE;
        SetWindowPlacement(form, &placement);
    }
    restored_ = true;
    return restored;
}

void TFormStorage::SaveFormPlacement(HWND form, HWND owner, const core::StoredControls& controls, bool visible) {
    PrivateProfile profile(iniFileName_);
    if (!core::SaveForm(profile, ToForm(CurrentPlacement(form)), IsIconic(form) != FALSE, Screen(), controls,
                        visible)) {
        ShowApplicationError(owner, core::ProfileWriteFailure(iniFileName_));
        return;
    }
    saved_ = true;
}

std::wstring ProgramProfileName() { return core::ProfileFileName(win::ProgramPath()); }

} // namespace ui

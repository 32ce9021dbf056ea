#include "ProfileStorage.h"

#include "Application.h"
#include "SettingsPlace.h"
#include "core/PathText.h"
#include "win/ProgramPath.h"
#include "win/ScreenDpi.h"

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
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), win::MeasuredScreenDpi()};
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

std::wstring WindowsDirectoryFile(const std::wstring& name) {
    std::vector<wchar_t> folder(MAX_PATH);
    for (;;) {
        const UINT length = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
        if (length == 0) {
            return name;
        }
        if (length < folder.size()) {
            return core::WithBackslash(std::wstring(folder.data(), length)) + name;
        }
        folder.resize(length + 1);
    }
}

} // namespace

TFormStorage::TFormStorage(std::wstring iniFileName)
    : iniFileName_(std::move(iniFileName)), oldFile_(WindowsDirectoryFile(iniFileName_)) {}

std::optional<core::RestoredForm> TFormStorage::RestoreFormPlacement(HWND form, const core::StoredControls& current) {
    const std::wstring file = SettingsFileToRead(iniFileName_, oldFile_);
    PrivateProfile profile(file);
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
    // The first save starts from the old profile, so that the new one comes
    // out byte for byte as an update of the old one would have.
    const std::wstring file = SettingsFile(iniFileName_, oldFile_);
    MakeSettingsFolder();
    CopyFileW(oldFile_.c_str(), file.c_str(), TRUE);
    PrivateProfile profile(file);
    if (!core::SaveForm(profile, ToForm(CurrentPlacement(form)), IsIconic(form) != FALSE, Screen(), controls,
                        visible)) {
        ShowApplicationError(owner, core::ProfileWriteFailure(iniFileName_));
        return;
    }
    saved_ = true;
}

std::wstring ProgramProfileName() { return core::ProfileFileName(win::ProgramPath()); }

} // namespace ui

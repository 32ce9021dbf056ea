#pragma once
// The main window's profile: its placement and eight option controls, kept as
// key=value text in the section "TMainForm" of a file named after the program.
// The platform's profile functions do the file work behind ProfileSection; the
// keys, the value forms and the decisions live here.
#include <optional>
#include <string>

namespace core {

constexpr wchar_t kProfileSection[] = L"TMainForm";

class ProfileSection {
public:
    virtual ~ProfileSection() = default;
    // The stored value (one pair of enclosing quotes removed, as the platform
    // does), or fallback when the key is missing.
    virtual std::wstring Read(const std::wstring& key, const std::wstring& fallback) = 0;
    // False when the file could not be written.
    virtual bool Write(const std::wstring& key, const std::wstring& value) = 0;
};

struct FormPoint {
    int x = 0;
    int y = 0;
};

struct FormRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// What the platform's window placement holds, in screen pixels.
struct FormPlacement {
    int flags = 0;
    int showCmd = 0;
    FormPoint minPosition;
    FormPoint maxPosition;
    FormRect normalPosition;
};

struct ScreenInfo {
    int width = 0;
    int height = 0;
    int pixelsPerInch = 0;
};

// The eight stored control properties, with the values the controls start with.
struct StoredControls {
    bool cdqual2check = false;
    bool cdqualcheck = false;
    bool QuellCheck = true;
    bool OwnfolderCheck = false;
    std::wstring OutDirectoryEd;
    std::wstring OutDirectory2Ed;
    bool OwnFolderCheck2 = false;
    bool QuellCheck2 = true;
};

enum class StoredWindowState { Normal, Maximized, Minimized };

struct RestoredForm {
    // Set only when a stored position fits this screen; then placement holds
    // the flags and the stored positions to apply (its showCmd is not used).
    bool applyPlacement = false;
    FormPlacement placement;
    // Minimized means the whole application starts minimized.
    StoredWindowState state = StoredWindowState::Normal;
    StoredControls controls;
};

// What the first showing of the main window applies. current is the window's
// placement before it (its normal rectangle gives the fallbacks of NormPos).
// Empty when the stored layout version says to apply nothing.
std::optional<RestoredForm> RestoreForm(ProfileSection& profile, const FormPlacement& current, const ScreenInfo& screen,
                                        const StoredControls& controls);

// Writes every key in order and stops at the first write that fails (false).
// visible is true only for the save of a window destroyed without an agreed close.
bool SaveForm(ProfileSection& profile, const FormPlacement& placement, bool applicationMinimized,
              const ScreenInfo& screen, const StoredControls& controls, bool visible);

// A value without leading and trailing blanks and control characters.
std::wstring TrimProfileValue(const std::wstring& value);

// The profile's file name for the program's file: its name part with ".INI"
// for the extension, without a folder, so that it lies in the Windows directory.
std::wstring ProfileFileName(const std::wstring& programFile);

// "nach %s kann nicht geschrieben werden" for the profile's file name.
std::wstring ProfileWriteFailure(const std::wstring& profileFileName);

} // namespace core

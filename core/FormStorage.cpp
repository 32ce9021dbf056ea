#include "FormStorage.h"

#include "FileNameRules.h"
#include "TextNumbers.h"

#include <cwctype>
#include <variant>

namespace core {

namespace {

constexpr int kFormVersion = 0;
// The Win32 show commands a stored ShowCmd can hold: SW_SHOWMINIMIZED,
// SW_SHOWMAXIMIZED, SW_MINIMIZE and SW_SHOWMINNOACTIVE.
constexpr int kShowCmdMinimized = 2;
constexpr int kShowCmdMaximized = 3;
constexpr int kShowCmdMinimize = 6;
constexpr int kShowCmdMinimizedNoActive = 7;

// One entry of the stored-property list. A radio button names the other
// button of its group: checking one clears the other.
struct StoredProperty {
    const wchar_t* control;
    const wchar_t* property;
    std::variant<bool StoredControls::*, std::wstring StoredControls::*> member;
    bool StoredControls::*radioPartner;
};

const StoredProperty kStoredProperties[] = {
    {L"cdqual2check", L"Checked", &StoredControls::cdqual2check, nullptr},
    {L"cdqualcheck", L"Checked", &StoredControls::cdqualcheck, nullptr},
    {L"QuellCheck", L"Checked", &StoredControls::QuellCheck, &StoredControls::OwnfolderCheck},
    {L"OwnfolderCheck", L"Checked", &StoredControls::OwnfolderCheck, &StoredControls::QuellCheck},
    {L"OutDirectoryEd", L"Text", &StoredControls::OutDirectoryEd, nullptr},
    {L"OutDirectory2Ed", L"Text", &StoredControls::OutDirectory2Ed, nullptr},
    {L"OwnFolderCheck2", L"Checked", &StoredControls::OwnFolderCheck2, &StoredControls::QuellCheck2},
    {L"QuellCheck2", L"Checked", &StoredControls::QuellCheck2, &StoredControls::OwnFolderCheck2},
};

std::wstring PropertyKey(const StoredProperty& entry) { return std::wstring(entry.control) + L"_" + entry.property; }

const wchar_t* BooleanText(bool value) { return value ? L"True" : L"False"; }

// The key of a stored position for a screen size: "MinMaxPos(1024x768)".
std::wstring ScreenKey(const std::wstring& key, const ScreenInfo& screen) {
    return key + L"(" + std::to_wstring(screen.width) + L"x" + std::to_wstring(screen.height) + L")";
}

// Four integers as "%d,%d,%d,%d", and back, a missing or non-numeric part
// taking the fallback at its place.
std::wstring FormatFourIntegers(const int (&values)[4]) {
    return std::to_wstring(values[0]) + L"," + std::to_wstring(values[1]) + L"," + std::to_wstring(values[2]) + L"," +
           std::to_wstring(values[3]);
}

void ParseFourIntegers(const std::wstring& text, int (&values)[4]) {
    size_t start = 0;
    for (int& value : values) {
        if (start > text.size()) {
            return;
        }
        size_t comma = text.find(L',', start);
        size_t end = comma == std::wstring::npos ? text.size() : comma;
        value = ParseInteger(text.substr(start, end - start)).value_or(value);
        start = end + 1;
    }
}

// "True"/"False" in any letter case; empty for any other text.
std::optional<bool> ParseBooleanProperty(const std::wstring& value) {
    std::wstring lower;
    for (wchar_t c : value) {
        lower += static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    if (lower == L"true") {
        return true;
    }
    if (lower == L"false") {
        return false;
    }
    return std::nullopt;
}

// A value that begins and ends with the same quote, wrapped in one more pair of
// double quotes, so that reading it back returns it unchanged.
std::wstring QuoteProfileValue(const std::wstring& value) {
    if (!value.empty() && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
        return L'"' + value + L'"';
    }
    return value;
}

int ReadInteger(ProfileSection& profile, const std::wstring& key, int fallback) {
    return ParseInteger(profile.Read(key, std::wstring())).value_or(fallback);
}

// The value stored for the current screen size, else the one for any size;
// empty when neither is there.
std::wstring ReadPosition(ProfileSection& profile, const std::wstring& key, const ScreenInfo& screen) {
    std::wstring value = profile.Read(ScreenKey(key, screen), std::wstring());
    return value.empty() ? profile.Read(key, std::wstring()) : value;
}

void RestorePlacement(ProfileSection& profile, const FormPlacement& current, const ScreenInfo& screen,
                      RestoredForm& restored) {
    FormPlacement& placement = restored.placement;
    placement = current;
    placement.flags = ReadInteger(profile, L"Flags", current.flags);

    const std::wstring minMax = ReadPosition(profile, L"MinMaxPos", screen);
    int minMaxValues[4] = {0, 0, 0, 0};
    ParseFourIntegers(minMax, minMaxValues);
    placement.minPosition = {minMaxValues[0], minMaxValues[1]};
    placement.maxPosition = {minMaxValues[2], minMaxValues[3]};

    const std::wstring norm = ReadPosition(profile, L"NormPos", screen);
    const FormRect& now = current.normalPosition;
    int normValues[4] = {now.left, now.top, now.right, now.bottom};
    ParseFourIntegers(norm, normValues);
    placement.normalPosition = {normValues[0], normValues[1], normValues[2], normValues[3]};

    const int pixelsPerInch = ReadInteger(profile, L"PixelsPerInch", screen.pixelsPerInch);
    restored.applyPlacement = (!minMax.empty() || !norm.empty()) && pixelsPerInch == screen.pixelsPerInch &&
                              placement.normalPosition.left < placement.normalPosition.right;
}

StoredWindowState StateOfShowCmd(int showCmd) {
    switch (showCmd) {
    case kShowCmdMaximized:
        return StoredWindowState::Maximized;
    case kShowCmdMinimized:
    case kShowCmdMinimize:
    case kShowCmdMinimizedNoActive:
        return StoredWindowState::Minimized;
    default:
        return StoredWindowState::Normal;
    }
}

void RestoreProperty(ProfileSection& profile, const StoredProperty& entry, StoredControls& controls) {
    if (auto text = std::get_if<std::wstring StoredControls::*>(&entry.member)) {
        controls.*(*text) = TrimProfileValue(profile.Read(PropertyKey(entry), controls.*(*text)));
        return;
    }
    bool StoredControls::*flag = std::get<bool StoredControls::*>(entry.member);
    auto value = ParseBooleanProperty(TrimProfileValue(profile.Read(PropertyKey(entry), BooleanText(controls.*flag))));
    if (!value) {
        return;
    }
    controls.*flag = *value;
    if (*value && entry.radioPartner) {
        controls.*entry.radioPartner = false;
    }
}

bool WriteValue(ProfileSection& profile, const std::wstring& key, const std::wstring& value) {
    return profile.Write(key, QuoteProfileValue(value));
}

bool SavePlacement(ProfileSection& profile, const FormPlacement& placement, bool applicationMinimized,
                   const ScreenInfo& screen, bool visible) {
    const int showCmd = applicationMinimized ? kShowCmdMinimized : placement.showCmd;
    const std::wstring minMax = FormatFourIntegers(
        {placement.minPosition.x, placement.minPosition.y, placement.maxPosition.x, placement.maxPosition.y});
    const FormRect& r = placement.normalPosition;
    const std::wstring norm = FormatFourIntegers({r.left, r.top, r.right, r.bottom});
    return WriteValue(profile, L"Flags", std::to_wstring(placement.flags)) &&
           WriteValue(profile, L"ShowCmd", std::to_wstring(showCmd)) &&
           WriteValue(profile, L"PixelsPerInch", std::to_wstring(screen.pixelsPerInch)) &&
           WriteValue(profile, ScreenKey(L"MinMaxPos", screen), minMax) && WriteValue(profile, L"MinMaxPos", minMax) &&
           WriteValue(profile, ScreenKey(L"NormPos", screen), norm) && WriteValue(profile, L"NormPos", norm) &&
           WriteValue(profile, L"Visible", visible ? L"1" : L"0");
}

bool SaveProperty(ProfileSection& profile, const StoredProperty& entry, const StoredControls& controls) {
    if (auto text = std::get_if<std::wstring StoredControls::*>(&entry.member)) {
        return WriteValue(profile, PropertyKey(entry), TrimProfileValue(controls.*(*text)));
    }
    return WriteValue(profile, PropertyKey(entry),
                      BooleanText(controls.*std::get<bool StoredControls::*>(entry.member)));
}

} // namespace

std::optional<RestoredForm> RestoreForm(ProfileSection& profile, const FormPlacement& current, const ScreenInfo& screen,
                                        const StoredControls& controls) {
    if (ReadInteger(profile, L"FormVersion", kFormVersion) < 0) {
        return std::nullopt;
    }
    RestoredForm restored;
    RestorePlacement(profile, current, screen, restored);
    restored.state = StateOfShowCmd(ReadInteger(profile, L"ShowCmd", 0));
    restored.controls = controls;
    for (const auto& entry : kStoredProperties) {
        RestoreProperty(profile, entry, restored.controls);
    }
    return restored;
}

bool SaveForm(ProfileSection& profile, const FormPlacement& placement, bool applicationMinimized,
              const ScreenInfo& screen, const StoredControls& controls, bool visible) {
    if (!WriteValue(profile, L"FormVersion", std::to_wstring(kFormVersion)) ||
        !SavePlacement(profile, placement, applicationMinimized, screen, visible)) {
        return false;
    }
    for (const auto& entry : kStoredProperties) {
        if (!SaveProperty(profile, entry, controls)) {
            return false;
        }
    }
    return true;
}

std::wstring TrimProfileValue(const std::wstring& value) {
    size_t first = 0;
    size_t last = value.size();
    while (first < last && value[first] <= L' ') {
        ++first;
    }
    while (last > first && value[last - 1] <= L' ') {
        --last;
    }
    return value.substr(first, last - first);
}

std::wstring ProfileFileName(const std::wstring& programFile) {
    return ReplaceExtension(FileNamePart(programFile), L".INI");
}

std::wstring ProfileWriteFailure(const std::wstring& profileFileName) {
    return L"nach " + profileFileName + L" kann nicht geschrieben werden";
}

} // namespace core

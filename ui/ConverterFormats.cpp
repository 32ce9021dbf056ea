#include "ConverterFormats.h"

#include "Application.h"
#include "SettingsPlace.h"
#include "Texts.h"
#include "resource.h"

#include "core/BatchRules.h"
#include "core/ConvertorState.h"
#include "core/FolderField.h"
#include "jobs/Win32File.h"

namespace ui {
namespace {

std::string ComponentData() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_MAIN_COMPONENTS), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return data ? std::string(data, SizeofResource(nullptr, found)) : std::string();
}

std::wstring ListingOf(const wchar_t* heading, const std::vector<std::wstring>& entries) {
    std::wstring listing = heading;
    for (size_t i = 0; i < entries.size(); ++i) {
        listing += L"\r\n" + std::to_wstring(i) + L"\t" + entries[i];
    }
    return listing;
}

// A folder typed in its short 8.3 form is used in its long form; a folder that
// does not exist stays as typed, and its jobs say they cannot create the file.
std::wstring LongFolderName(const std::wstring& folder) {
    if (folder.empty()) {
        return folder;
    }
    const DWORD needed = GetLongPathNameW(folder.c_str(), nullptr, 0);
    if (needed == 0) {
        return folder;
    }
    std::vector<wchar_t> longName(needed, L'\0');
    const DWORD length = GetLongPathNameW(folder.c_str(), longName.data(), needed);
    return length == 0 || length >= needed ? folder : std::wstring(longName.data(), length);
}

} // namespace

TConverterFormats::TConverterFormats() {
    auto states = core::ParseConvertorStates(ComponentData());
    streams_ = StreamStates{states["mp3wav"], states["wavcd"], states["wavtowav"], states["wavmp3"]};
}

void TConverterFormats::Enumerate() { discovery_.Enumerate(); }

void TConverterFormats::ProcessMessages() { ui::ProcessMessages(); }

std::wstring TConverterFormats::Listing() const {
    return ListingOf(texts::Mp3FormatsHeading, mp3Descriptions_) + L"\r\n" +
           ListingOf(texts::WavFormatsHeading, pcmDescriptions_);
}

JobRequest TConverterFormats::Request(JobKind kind, const std::wstring& source, const std::wstring& destination,
                                      int mp3Entry, int pcmEntry) const {
    return MakeRequest(kind, source, destination, streams_, discovery_.MP3Formats, discovery_.PCMFormats, mp3Entry,
                       pcmEntry);
}

std::vector<JobRequest> TConverterFormats::BatchRequests(JobKind kind, const std::vector<std::wstring>& sources,
                                                         bool besideSource, const std::wstring& folderField,
                                                         int mp3Entry) const {
    const std::wstring folder = LongFolderName(core::FolderFieldPath(folderField));
    const wchar_t* extension = kind == JobKind::WavToMp3 ? L".mp3" : L".wav";
    std::vector<JobRequest> requests;
    for (const std::wstring& source : sources) {
        requests.push_back(
            Request(kind, source, core::BatchDestination(source, besideSource, folder, extension), mp3Entry, -1));
    }
    return requests;
}

core::FormatSelections TConverterFormats::StoredSelections(const std::wstring& programDir) const {
    const std::wstring oldFile = programDir + core::kSettingsFileName;
    const std::wstring stored = SettingsFileToRead(core::kSettingsFileName, oldFile);
    const auto file = stored == SettingsFile(core::kSettingsFileName, oldFile) ? Win32File::OpenForUpdate(stored)
                                                                               : Win32File::OpenForReading(stored);
    const auto mp3Count = static_cast<int32_t>(discovery_.MP3Formats.size());
    const core::FormatSelections counts{mp3Count, mp3Count, static_cast<int32_t>(discovery_.PCMFormats.size())};
    return file ? core::ReadSettingsDat(*file, counts) : core::FormatSelections{};
}

} // namespace ui

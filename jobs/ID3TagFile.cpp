#include "ID3TagFile.h"

#include "JobTexts.h"
#include "Win32File.h"
#include "core/ID3Tag.h"
#include "win/TextConversion.h"

#include <windows.h>

#include <utility>

namespace {

// Which edit text goes with which tag field.
const std::pair<std::wstring ID3TagTexts::*, std::string core::ID3TagFields::*> kTextFields[] = {
    {&ID3TagTexts::title, &core::ID3TagFields::title},     {&ID3TagTexts::artist, &core::ID3TagFields::artist},
    {&ID3TagTexts::album, &core::ID3TagFields::album},     {&ID3TagTexts::year, &core::ID3TagFields::year},
    {&ID3TagTexts::comment, &core::ID3TagFields::comment}, {&ID3TagTexts::track, &core::ID3TagFields::track},
    {&ID3TagTexts::genre, &core::ID3TagFields::genre},
};

} // namespace

ID3TagFileResult ReadID3TagFile(const std::wstring& fileName, ID3TagTexts& texts) {
    core::ID3TagBytes tag{};
    {
        auto file = Win32File::OpenForReading(fileName);
        if (!file) {
            return ID3TagFileResult::CannotOpen;
        }
        if (!core::ReadID3Tag(*file, tag)) {
            return ID3TagFileResult::NoTag;
        }
    }
    const core::ID3TagFields fields = core::ParseID3Tag(tag);
    for (auto [text, field] : kTextFields) {
        texts.*text = FromTagText(fields.*field);
    }
    return ID3TagFileResult::Done;
}

ID3TagFileResult WriteID3TagFile(const std::wstring& fileName, const ID3TagTexts& texts) {
    core::ID3TagFields fields;
    for (auto [text, field] : kTextFields) {
        fields.*field = ToTagText(texts.*text);
    }
    const core::ID3TagBytes tag = core::BuildID3Tag(fields);

    auto file = Win32File::OpenForUpdate(fileName);
    if (!file) {
        return ID3TagFileResult::CannotOpen;
    }
    const int64_t sizeBefore = file->Size();
    if (core::WriteID3Tag(*file, tag)) {
        return ID3TagFileResult::Done;
    }
    // Part of an appended tag would stay behind the audio as garbage.
    if (sizeBefore >= 0) {
        file->Truncate(sizeBefore);
    }
    return ID3TagFileResult::CannotWrite;
}

const wchar_t* ID3TagFileMessage(ID3TagFileResult result) {
    switch (result) {
    case ID3TagFileResult::CannotOpen:
        return jobtext::kCannotOpen;
    case ID3TagFileResult::NoTag:
        return jobtext::kNoTag;
    case ID3TagFileResult::CannotWrite:
        return jobtext::kCannotWriteTag;
    case ID3TagFileResult::Done:
        break;
    }
    return L"";
}

std::wstring TrackInfoText(const std::wstring& comment) {
    return core::CommentHidesTrack(ToTagText(comment).size()) ? jobtext::kTrackHidden : L"";
}

std::string ToTagText(const std::wstring& text) { return win::NarrowAnsi(text); }

std::wstring FromTagText(const std::string& text) { return win::WidenAnsi(text); }

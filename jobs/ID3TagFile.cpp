#include "ID3TagFile.h"

#include "JobTexts.h"
#include "Win32File.h"
#include "core/ID3Tag.h"

#include <windows.h>

#include <utility>

namespace {

constexpr wchar_t kNoTag[] = L"Este fichero no contiene ninguna válida MP3-TAG información.";
constexpr wchar_t kCannotWriteTag[] = L"No podía escribir el fichero.";
constexpr wchar_t kTrackHidden[] =
    L"No puedo almacenar el número de la pista porque el comentario no es corto suficiente.";

// Which edit text goes with which tag field.
const std::pair<std::wstring ID3TagTexts::*, std::string core::ID3TagFields::*> kTextFields[] = {
    {&ID3TagTexts::title, &core::ID3TagFields::title},     {&ID3TagTexts::artist, &core::ID3TagFields::artist},
    {&ID3TagTexts::album, &core::ID3TagFields::album},     {&ID3TagTexts::year, &core::ID3TagFields::year},
    {&ID3TagTexts::comment, &core::ID3TagFields::comment}, {&ID3TagTexts::track, &core::ID3TagFields::track},
    {&ID3TagTexts::genre, &core::ID3TagFields::genre},
};

// An existing file opened for reading and writing and shared only with
// readers, so that a file another program writes to is refused. The read-only
// attribute is tested first because an account that ignores file permissions
// (Wine run by root) would otherwise be let in.
class UpdateFile : public core::ByteFile {
public:
    explicit UpdateFile(const std::wstring& name) : handle_(INVALID_HANDLE_VALUE) {
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) {
            handle_ = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        }
    }
    ~UpdateFile() override {
        if (IsOpen()) {
            CloseHandle(handle_);
        }
    }
    UpdateFile(const UpdateFile&) = delete;
    UpdateFile& operator=(const UpdateFile&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    // The tag needs no more than 128 bytes at a time, so one call each suffices.
    size_t Read(void* buffer, size_t count) override {
        DWORD got = 0;
        return ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr) ? got : 0;
    }
    bool Write(const void* buffer, size_t count) override {
        DWORD put = 0;
        return WriteFile(handle_, buffer, static_cast<DWORD>(count), &put, nullptr) && put == count;
    }
    bool Seek(int64_t position) override {
        LARGE_INTEGER to;
        to.QuadPart = position;
        return position >= 0 && SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN);
    }
    int64_t Position() const override {
        LARGE_INTEGER zero = {}, at = {};
        return SetFilePointerEx(handle_, zero, &at, FILE_CURRENT) ? at.QuadPart : -1;
    }
    int64_t Size() const override {
        LARGE_INTEGER size = {};
        return GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
    }
    void Truncate(int64_t size) {
        if (Seek(size)) {
            SetEndOfFile(handle_);
        }
    }

private:
    HANDLE handle_;
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

    UpdateFile file(fileName);
    if (!file.IsOpen()) {
        return ID3TagFileResult::CannotOpen;
    }
    const int64_t sizeBefore = file.Size();
    if (core::WriteID3Tag(file, tag)) {
        return ID3TagFileResult::Done;
    }
    // Part of an appended tag would stay behind the audio as garbage.
    if (sizeBefore >= 0 && file.Size() > sizeBefore) {
        file.Truncate(sizeBefore);
    }
    return ID3TagFileResult::CannotWrite;
}

const wchar_t* ID3TagFileMessage(ID3TagFileResult result) {
    switch (result) {
    case ID3TagFileResult::CannotOpen:
        return jobtext::kCannotOpen;
    case ID3TagFileResult::NoTag:
        return kNoTag;
    case ID3TagFileResult::CannotWrite:
        return kCannotWriteTag;
    case ID3TagFileResult::Done:
        break;
    }
    return L"";
}

std::wstring TrackInfoText(const std::wstring& comment) {
    return core::CommentHidesTrack(ToTagText(comment).size()) ? kTrackHidden : L"";
}

std::string ToTagText(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, converted.data(), bytes, nullptr, nullptr);
    return converted;
}

std::wstring FromTagText(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring converted(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, converted.data(), chars);
    return converted;
}

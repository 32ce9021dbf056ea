#include "Win32File.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kOpenAttempts = 2;
// ReadFile and WriteFile take 32-bit counts.
constexpr size_t kMaxTransfer = std::numeric_limits<DWORD>::max();

} // namespace

std::unique_ptr<Win32File> Win32File::Wrap(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : std::unique_ptr<Win32File>(new Win32File(handle));
}

std::unique_ptr<Win32File> Win32File::OpenForReading(const std::wstring& name) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (auto file = Wrap(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr))) {
            return file;
        }
    }
    return nullptr;
}

std::unique_ptr<Win32File> Win32File::CreateAnew(const std::wstring& name) {
    // Wine makes every CREATE_ALWAYS file by emptying it, even a new one, and
    // on ext4 a file emptied that way has all its data pushed towards the disk
    // when it is closed: closing a decoded MP3 of 100 MB then took 5 to 35 ms.
    // Only an existing file needs emptying.
    for (const DWORD disposition : {CREATE_NEW, CREATE_ALWAYS}) {
        if (auto file = Wrap(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr))) {
            return file;
        }
    }
    return nullptr;
}

std::unique_ptr<Win32File> Win32File::OpenForUpdate(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return nullptr;
    }
    return Wrap(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

Win32File::~Win32File() { CloseHandle(handle_); }

size_t Win32File::Read(void* buffer, size_t count) {
    auto* at = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    while (done < count) {
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        if (!ReadFile(handle_, at + done, ask, &got, nullptr) || got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

bool Win32File::Write(const void* buffer, size_t count) {
    const auto* at = static_cast<const uint8_t*>(buffer);
    size_t done = 0;
    while (done < count) {
        DWORD put = 0;
        const DWORD ask = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        if (!WriteFile(handle_, at + done, ask, &put, nullptr) || put == 0) {
            return false;
        }
        done += put;
    }
    return true;
}

bool Win32File::Seek(int64_t position) {
    LARGE_INTEGER to;
    to.QuadPart = position;
    return position >= 0 && SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN);
}

int64_t Win32File::Position() const {
    LARGE_INTEGER zero = {}, at = {};
    return SetFilePointerEx(handle_, zero, &at, FILE_CURRENT) ? at.QuadPart : -1;
}

int64_t Win32File::Size() const {
    LARGE_INTEGER size = {};
    return GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
}

bool Win32File::Truncate(int64_t size) {
    const int64_t current = Size();
    return current >= 0 && (size >= current || (Seek(size) && SetEndOfFile(handle_)));
}

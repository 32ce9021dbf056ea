#pragma once
// core::ByteFile over the platform's file handles, with Unicode names.
#include "core/ByteFile.h"

#include <windows.h>

#include <memory>
#include <string>

class Win32File : public core::ByteFile {
public:
    // Read-only and shared for reading; a failed open is tried once more at once.
    static std::unique_ptr<Win32File> OpenForReading(const std::wstring& name);
    // For reading and writing; an existing file is emptied.
    static std::unique_ptr<Win32File> CreateAnew(const std::wstring& name);

    ~Win32File() override;
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    size_t Read(void* buffer, size_t count) override;
    bool Write(const void* buffer, size_t count) override;
    bool Seek(int64_t position) override;
    int64_t Position() const override;
    int64_t Size() const override;

private:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    HANDLE handle_;
};

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
    // An existing file for reading and writing, shared only with readers, so
    // that a file another program writes to is refused. A file marked
    // read-only is refused by its attribute: an account that ignores file
    // permissions (Wine run by root) would otherwise be let in.
    static std::unique_ptr<Win32File> OpenForUpdate(const std::wstring& name);

    ~Win32File() override;
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    size_t Read(void* buffer, size_t count) override;
    bool Write(const void* buffer, size_t count) override;
    bool Seek(int64_t position) override;
    int64_t Position() const override;
    int64_t Size() const override;
    // Cuts the file at size (nothing happens past its end).
    bool Truncate(int64_t size);

private:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    // Null for a failed open.
    static std::unique_ptr<Win32File> Wrap(HANDLE handle);
    HANDLE handle_;
};

#include "KnownState.h"

#include "ConverterDriver.h"

#include "support/HostTool.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <vector>

namespace uitest {
namespace {

void Remove(const std::wstring& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(file.c_str());
        return;
    }
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(file.c_str());
}

class KnownStateListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        for (const std::wstring& file : {ProfilePath(), SettingsDatPath(), OldProfilePath(), OldSettingsDatPath()}) {
            kept_.push_back(std::make_unique<KeptAside>(file));
        }
    }
    void OnTestEnd(const testing::TestInfo&) override { kept_.clear(); }

    std::vector<std::unique_ptr<KeptAside>> kept_;
};

const bool kListening = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new KnownStateListener);
    return true;
}();

} // namespace

std::wstring SettingsFolder() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    std::wstring path = folder;
    for (const wchar_t* part : {L"\\VELTRA", L"\\Sonaris"}) {
        path += part;
        CreateDirectoryW(path.c_str(), nullptr);
    }
    return path;
}

std::wstring ProfilePath() { return SettingsFolder() + L"\\converter.INI"; }

std::wstring SettingsDatPath() { return SettingsFolder() + L"\\settings.dat"; }

std::wstring OldProfilePath() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\converter.INI";
}

std::wstring OldSettingsDatPath() {
    const std::wstring program = ConverterPath();
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"settings.dat";
}

std::optional<std::string> ReadWholeFile(const std::wstring& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return testsupport::ReadBytes(file);
}

KeptAside::KeptAside(std::wstring file) : file_(std::move(file)), before_(ReadWholeFile(file_)) { Remove(file_); }

KeptAside::~KeptAside() {
    Remove(file_);
    if (before_) {
        WriteBytes(file_, *before_);
    }
}

} // namespace uitest

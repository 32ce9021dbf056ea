#include "KnownState.h"

#include "ConverterDriver.h"

#include "support/HostTool.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>

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
        profile_ = std::make_unique<KeptAside>(ProfilePath());
        settings_ = std::make_unique<KeptAside>(SettingsDatPath());
    }
    void OnTestEnd(const testing::TestInfo&) override {
        profile_.reset();
        settings_.reset();
    }

    std::unique_ptr<KeptAside> profile_;
    std::unique_ptr<KeptAside> settings_;
};

const bool kListening = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new KnownStateListener);
    return true;
}();

} // namespace

std::wstring ProfilePath() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\converter.INI";
}

std::wstring SettingsDatPath() {
    const std::wstring program = ConverterPath();
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"settings.dat";
}

std::optional<std::string> ReadWholeFile(const std::wstring& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    std::ifstream in(file.c_str(), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

KeptAside::KeptAside(std::wstring file) : file_(std::move(file)), before_(ReadWholeFile(file_)) { Remove(file_); }

KeptAside::~KeptAside() {
    Remove(file_);
    if (before_) {
        WriteBytes(file_, *before_);
    }
}

} // namespace uitest

#include "TextConversion.h"

#include <windows.h>

namespace win {

namespace {

std::wstring Widen(UINT codePage, const char* text, size_t length) {
    if (length == 0) {
        return {};
    }
    const int size = static_cast<int>(length);
    const int chars = MultiByteToWideChar(codePage, 0, text, size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(codePage, 0, text, size, wide.data(), chars);
    return wide;
}

} // namespace

std::wstring WidenAnsi(const char* text, size_t length) { return Widen(CP_ACP, text, length); }

std::wstring WidenAnsi(const std::string& text) { return Widen(CP_ACP, text.data(), text.size()); }

std::string NarrowAnsi(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

std::wstring WidenUtf8(const std::string& text) { return Widen(CP_UTF8, text.data(), text.size()); }

} // namespace win

#include "FileNameRules.h"

namespace core {

namespace {

size_t FileNameStart(const std::wstring& name) { return LastComponentStart(name, SlashRule::BackslashOnly); }

} // namespace

std::wstring ExtensionOf(const std::wstring& name) {
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos || dot < FileNameStart(name)) {
        return {};
    }
    return name.substr(dot);
}

std::wstring ReplaceExtension(const std::wstring& name, const std::wstring& newExtension) {
    return name.substr(0, name.size() - ExtensionOf(name).size()) + newExtension;
}

std::wstring FirstCommandLineItem(const std::wstring& text) {
    size_t at = text.find_first_not_of(L' ');
    std::wstring item;
    bool quoted = false;
    for (; at < text.size(); ++at) {
        const wchar_t c = text[at];
        if (c == L'"') {
            quoted = !quoted;
        } else if (c == L' ' && !quoted) {
            break;
        } else {
            item += c;
        }
    }
    return item;
}

std::wstring HandOutFileName(const std::wstring& text, const std::function<bool(const std::wstring&)>& fileExists) {
    if (!text.empty() && fileExists(text)) {
        return text;
    }
    return FirstCommandLineItem(text);
}

std::wstring EditTextForFileName(const std::wstring& name) {
    if (name.find(L' ') != std::wstring::npos && name.front() != L'"') {
        return L'"' + name + L'"';
    }
    return name;
}

bool IsAcceptableFileName(const std::wstring& name) {
    if (name.empty()) {
        return true;
    }
    const std::wstring item = FirstCommandLineItem(name);
    return !item.empty() && item.find_first_of(L"<>\"[]|") == std::wstring::npos;
}

} // namespace core

#include "PathText.h"

#include <cctype>

namespace core {

namespace {

template <typename Char>
bool IsSeparatorIn(Char c, SlashRule rule) {
    return c == Char('\\') || (rule == SlashRule::EitherSlash && c == Char('/'));
}

template <typename Char>
size_t ComponentStart(const std::basic_string<Char>& path, SlashRule rule) {
    for (size_t at = path.size(); at > 0; --at) {
        const Char c = path[at - 1];
        if (c == Char(':') || IsSeparatorIn(c, rule)) {
            return at;
        }
    }
    return 0;
}

template <typename Char>
std::basic_string<Char> JoinBackslash(const std::basic_string<Char>& text) {
    if (!text.empty() && text.back() == Char('\\')) {
        return text;
    }
    return text + Char('\\');
}

} // namespace

bool IsPathSeparator(char c, SlashRule rule) { return IsSeparatorIn(c, rule); }
bool IsPathSeparator(wchar_t c, SlashRule rule) { return IsSeparatorIn(c, rule); }

size_t LastComponentStart(const std::string& path, SlashRule rule) { return ComponentStart(path, rule); }
size_t LastComponentStart(const std::wstring& path, SlashRule rule) { return ComponentStart(path, rule); }

std::wstring FileNamePart(const std::wstring& path) {
    return path.substr(LastComponentStart(path, SlashRule::BackslashOnly));
}

std::string DirectoryPart(const std::string& path) {
    return path.substr(0, LastComponentStart(path, SlashRule::EitherSlash));
}

std::wstring DirectoryPart(const std::wstring& path) {
    return path.substr(0, LastComponentStart(path, SlashRule::EitherSlash));
}

std::string WithBackslash(const std::string& text) { return JoinBackslash(text); }
std::wstring WithBackslash(const std::wstring& text) { return JoinBackslash(text); }

std::string WithoutBackslash(const std::string& text) {
    if (!text.empty() && text.back() == '\\') {
        return text.substr(0, text.size() - 1);
    }
    return text;
}

std::string DriveRoot(const std::string& path) { return path.substr(0, 1) + ":\\"; }

bool IsAbsoluteDirectory(const std::string& path) {
    const auto separator = [](char c) { return IsPathSeparator(c, SlashRule::EitherSlash); };
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && separator(path[2])) {
        return true;
    }
    return path.size() >= 3 && separator(path[0]) && separator(path[1]) && !separator(path[2]);
}

} // namespace core

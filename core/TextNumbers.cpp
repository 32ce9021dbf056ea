#include "TextNumbers.h"

#include <limits>

namespace core {

namespace {

template <typename Char>
std::optional<int32_t> ParseDecimal(const std::basic_string<Char>& text) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == Char('+') || text[at] == Char('-'))) {
        negative = text[at] == Char('-');
        ++at;
    }
    if (at == text.size()) {
        return std::nullopt;
    }
    // Collected as a negative number so that the lowest int32 fits.
    int64_t value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < Char('0') || text[at] > Char('9')) {
            return std::nullopt;
        }
        value = value * 10 - (text[at] - Char('0'));
        if (value < std::numeric_limits<int32_t>::min()) {
            return std::nullopt;
        }
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<int32_t>(value);
}

} // namespace

std::optional<int32_t> ParseInteger(const std::string& text) { return ParseDecimal(text); }
std::optional<int32_t> ParseInteger(const std::wstring& text) { return ParseDecimal(text); }

} // namespace core

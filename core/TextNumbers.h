#pragma once
// Whole-text decimal integers as the converter's edits and stored values hold
// them: an optional sign and digits, nothing else, within 32 bits.
#include <cstdint>
#include <optional>
#include <string>

namespace core {

std::optional<int32_t> ParseInteger(const std::string& text);
std::optional<int32_t> ParseInteger(const std::wstring& text);

} // namespace core

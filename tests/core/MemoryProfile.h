#pragma once
// A profile section in memory that strips enclosing quotes on reading as the
// platform's profile functions do, and can refuse every write from one on.
#include "core/FormStorage.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace coretest {

using Writes = std::vector<std::pair<std::wstring, std::wstring>>;

class MemoryProfile : public core::ProfileSection {
public:
    std::wstring Read(const std::wstring& key, const std::wstring& fallback) override {
        auto found = values.find(key);
        if (found == values.end()) {
            return fallback;
        }
        std::wstring value = found->second;
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    bool Write(const std::wstring& key, const std::wstring& value) override {
        if (writes.size() >= writableKeys) {
            return false;
        }
        writes.emplace_back(key, value);
        values[key] = value;
        return true;
    }

    std::map<std::wstring, std::wstring> values;
    Writes writes;
    size_t writableKeys = SIZE_MAX;
};

} // namespace coretest

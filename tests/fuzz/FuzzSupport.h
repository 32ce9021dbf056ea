#pragma once
// What every fuzz target shares: a check that stops the run with the broken
// promise named, and a reader that cuts the fuzzer's bytes into the values a
// target needs. A finding must abort, so that libFuzzer and the corpus replay
// both report it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition) ((condition) ? void(0) : fuzz::Fail(#condition, __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, condition);
    std::abort();
}

// Texts are taken byte by byte; wide texts widen each byte, so that seeds stay
// readable files and every character the rules look at can be reached.
inline std::wstring Widen(const std::string& text) {
    std::wstring wide;
    for (char c : text) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return wide;
}

class Input {
public:
    Input(const uint8_t* data, size_t size) : bytes_(data, data + size) {}

    bool Empty() const { return at_ >= bytes_.size(); }
    uint8_t Byte() { return Empty() ? 0 : bytes_[at_++]; }
    int32_t Int32() {
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            value |= static_cast<uint32_t>(Byte()) << shift;
        }
        return static_cast<int32_t>(value);
    }
    // The bytes up to the next separator (dropped), or up to the end.
    std::string Text(char separator = '\n') {
        std::string text;
        while (!Empty() && bytes_[at_] != static_cast<uint8_t>(separator)) {
            text += static_cast<char>(bytes_[at_++]);
        }
        Byte();
        return text;
    }
    std::string Rest() {
        std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(std::min(at_, bytes_.size())), bytes_.end());
        at_ = bytes_.size();
        return text;
    }

private:
    std::vector<uint8_t> bytes_;
    size_t at_ = 0;
};

} // namespace fuzz

#include "ConvertorState.h"

#include "LittleEndian.h"

#include <cctype>
#include <vector>

namespace core {
namespace {

constexpr char kClassName[] = "TACMConvertor";

class Scanner {
public:
    explicit Scanner(const std::string& text) : text_(text) {}

    bool AtEnd() {
        SkipSpace();
        return pos_ >= text_.size();
    }
    std::string Word() {
        SkipSpace();
        size_t start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) {
            ++pos_;
        }
        if (start == pos_) {
            throw StateFormatError("word expected");
        }
        return text_.substr(start, pos_ - start);
    }
    void Expect(char c) {
        SkipSpace();
        if (pos_ >= text_.size() || text_[pos_] != c) {
            throw StateFormatError(std::string("expected '") + c + "'");
        }
        ++pos_;
    }
    bool Peek(char c) {
        SkipSpace();
        return pos_ < text_.size() && text_[pos_] == c;
    }
    std::vector<uint8_t> HexBlock() {
        Expect('{');
        std::vector<uint8_t> bytes;
        int pending = -1;
        while (!Peek('}')) {
            if (pos_ >= text_.size()) {
                throw StateFormatError("unterminated binary block");
            }
            int digit = HexDigit(text_[pos_++]);
            if (pending < 0) {
                pending = digit;
            } else {
                bytes.push_back(static_cast<uint8_t>(pending << 4 | digit));
                pending = -1;
            }
        }
        Expect('}');
        if (pending >= 0) {
            throw StateFormatError("odd number of hex digits");
        }
        return bytes;
    }

private:
    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        throw StateFormatError("hex digit expected");
    }
    void SkipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
            ++pos_;
        }
    }
    const std::string& text_;
    size_t pos_ = 0;
};

// The record takes at most its 129 bytes of a blob; a longer blob is cut.
void ApplyBlob(const std::vector<uint8_t>& blob, WaveFormatRecord& record) {
    if (blob.size() < 4) {
        throw StateFormatError("binary property without length");
    }
    const uint32_t declared = GetLe32(blob.data());
    if (declared != blob.size() - 4) {
        throw StateFormatError("binary property length does not match its bytes");
    }
    for (size_t i = 0; i < declared && i < kWaveFormatRecordSize; ++i) {
        record.bytes[i] = blob[4 + i];
    }
}

void ParseProperty(Scanner& scan, const std::string& name, ConvertorState& state) {
    scan.Expect('=');
    if (name == "InputBufferSize") {
        const std::string value = scan.Word();
        if (value.find_first_not_of("0123456789") != std::string::npos || value.size() > 9) {
            throw StateFormatError("number expected for InputBufferSize");
        }
        state.inputBufferSize = static_cast<uint32_t>(std::stoul(value));
    } else if (name == "UseRealTime") {
        std::string value = scan.Word();
        if (value != "True" && value != "False") {
            throw StateFormatError("Boolean expected for UseRealTime");
        }
        state.useRealTime = value == "True";
    } else if (name == "ACMFormatIn") {
        ApplyBlob(scan.HexBlock(), state.formatIn);
    } else if (name == "ACMFormatOut") {
        ApplyBlob(scan.HexBlock(), state.formatOut);
    } else {
        throw StateFormatError("unknown property " + name);
    }
}

} // namespace

WaveFormatRecord ConvertorState::CreationDefaultFormat() { return MakePcmFormat(1, 22050, 8, kWaveFormatRecordSize); }

std::map<std::string, ConvertorState> ParseConvertorStates(const std::string& text) {
    std::map<std::string, ConvertorState> states;
    Scanner scan(text);
    while (!scan.AtEnd()) {
        if (scan.Word() != "object") {
            throw StateFormatError("'object' expected");
        }
        const std::string name = scan.Word();
        scan.Expect(':');
        if (scan.Word() != kClassName) {
            throw StateFormatError("unknown component class");
        }
        ConvertorState state;
        for (std::string word = scan.Word(); word != "end"; word = scan.Word()) {
            ParseProperty(scan, word, state);
        }
        states[name] = state;
    }
    return states;
}

} // namespace core

#include "CommandLine.h"

#include <algorithm>
#include <cwctype>
#include <string>
#include <utility>

namespace core {
namespace {

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); });
    return text;
}

struct CommandName {
    const wchar_t* name;
    CommandKind kind;
    bool takesCd, takesFormat, takesFolder;
};

// Each option only where the window offers it: the CD-quality box on the MP3
// to WAV pages, a format list on the others, a folder on the batch pages.
constexpr CommandName kCommands[] = {
    {L"/mp3wav", CommandKind::Mp3ToWav, true, false, true},
    {L"/wavmp3", CommandKind::WavToMp3, false, true, true},
    {L"/wavwav", CommandKind::WavToWav, false, true, false},
    {L"/formats", CommandKind::ListFormats, false, false, false},
};

std::optional<int> FormatNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        return std::nullopt;
    }
    return std::stoi(text);
}

class Parser {
public:
    Parser(const CommandName& command, const std::vector<std::wstring>& arguments)
        : command_(command), arguments_(arguments) {
        result_.kind = command.kind;
    }

    std::optional<CommandLine> Parse() {
        for (next_ = 1; next_ < arguments_.size();) {
            if (!Take(arguments_[next_++])) {
                return std::nullopt;
            }
        }
        return Complete() ? std::optional<CommandLine>(result_) : std::nullopt;
    }

private:
    bool Take(const std::wstring& argument) {
        const std::wstring option = Lower(argument);
        if (option == L"/cd") {
            return command_.takesCd && !std::exchange(result_.cdQuality, true);
        }
        if (option == L"/format") {
            const std::optional<int> number = next_ < arguments_.size() ? FormatNumber(arguments_[next_++])
                                                                        : std::nullopt;
            if (!command_.takesFormat || !number || result_.format >= 0) {
                return false;
            }
            result_.format = *number;
            return true;
        }
        if (option == L"/dir") {
            if (!command_.takesFolder || next_ >= arguments_.size() || !result_.folder.empty()) {
                return false;
            }
            result_.folder = arguments_[next_++];
            return !result_.folder.empty();
        }
        if (argument.empty() || argument[0] == L'/') {
            return false;
        }
        names_.push_back(argument);
        return true;
    }

    bool Complete() {
        if (result_.kind == CommandKind::ListFormats) {
            return names_.empty();
        }
        if (result_.IsBatch()) {
            result_.sources = names_;
            return !names_.empty();
        }
        if (names_.size() != 2) {
            return false;
        }
        result_.sources = {names_[0]};
        result_.destination = names_[1];
        return true;
    }

    const CommandName& command_;
    const std::vector<std::wstring>& arguments_;
    size_t next_ = 1;
    std::vector<std::wstring> names_;
    CommandLine result_;
};

} // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) {
        return CommandLine{};
    }
    const std::wstring first = Lower(arguments[0]);
    for (const CommandName& command : kCommands) {
        if (first == command.name) {
            return Parser(command, arguments).Parse();
        }
    }
    return std::nullopt;
}

} // namespace core

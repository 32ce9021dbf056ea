#pragma once
// The converter's arguments: one job for scripts and "Send to" shortcuts,
// or none for the window.
#include <optional>
#include <string>
#include <vector>

namespace core {

// The process's exit code after a command.
constexpr int kExitSucceeded = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;

enum class CommandKind { Window, Mp3ToWav, WavToMp3, WavToWav, ListFormats };

struct CommandLine {
    CommandKind kind = CommandKind::Window;
    // One source and its destination, or with a folder every source of a batch.
    std::vector<std::wstring> sources;
    std::wstring destination;
    std::wstring folder;
    bool cdQuality = false;
    // Entry of the format list; -1 keeps the stored choice.
    int format = -1;

    bool IsBatch() const { return !folder.empty(); }
};

// The command the arguments (without the program's name) ask for; nothing
// when they do not make one, which the caller answers with the usage text.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::wstring>& arguments);

} // namespace core

#pragma once
// A failure that ended a job after the job had cleaned up (streams reset and
// closed, a WAV destination given its final header, files closed, progress 0,
// Converting cleared). The progress window shows the message in a modal box
// with the error icon; a batch stops at that file.
#include <stdexcept>
#include <string>

class JobFailure : public std::runtime_error {
public:
    explicit JobFailure(std::wstring message) : std::runtime_error("job failed"), message_(std::move(message)) {}
    const std::wstring& Message() const { return message_; }

private:
    std::wstring message_;
};

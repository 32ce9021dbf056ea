#include "AudioFiles.h"

#include "support/HostTool.h"
#include "support/LittleEndian.h"
#include "support/TestFiles.h"

#include <cstring>
#include <regex>
#include <sstream>

using testsupport::Le32;
using testsupport::RunHost;
using testsupport::ShellPath;

namespace {

std::string Expand(const std::string& commandLine) {
    static const std::regex name(R"(\{([^}\s]+)\})");
    std::string out;
    std::sregex_iterator it(commandLine.begin(), commandLine.end(), name), end;
    size_t last = 0;
    for (; it != end; ++it) {
        out += commandLine.substr(last, static_cast<size_t>(it->position()) - last);
        out += ShellPath(WorkFile((*it)[1].str()));
        last = static_cast<size_t>(it->position() + it->length());
    }
    return out + commandLine.substr(last);
}

} // namespace

testing::AssertionResult HostOnWorkFiles(const std::string& commandLine) {
    const testsupport::HostResult result = RunHost(Expand(commandLine));
    if (result.exitCode != 0) {
        return testing::AssertionFailure() << commandLine << " -> " << result.exitCode << ": " << result.output;
    }
    return testing::AssertionSuccess();
}

std::string HostOutput(const std::string& commandLine) {
    const testsupport::HostResult result = RunHost(Expand(commandLine));
    return result.exitCode == 0 ? result.output : std::string();
}

AudioFacts Inspect(const std::string& name) {
    AudioFacts facts;
    std::istringstream info(HostOutput("soxi -r {" + name + "} && soxi -c {" + name + "} && soxi -b {" + name +
                                       "} && soxi -s {" + name + "} && soxi -D {" + name + "}"));
    if (!(info >> facts.rate >> facts.channels >> facts.bits >> facts.samples >> facts.seconds)) {
        facts.samples = -1;
        return facts;
    }
    const std::string stat = HostOutput("sox {" + name + "} -n stat 2>&1");
    std::smatch rms;
    if (std::regex_search(stat, rms, std::regex(R"(RMS\s+amplitude:\s+([0-9.]+))"))) {
        facts.rms = std::stod(rms[1].str());
    }
    return facts;
}

bool WorkFileExists(const std::string& name) { return testsupport::Exists(WorkFile(name)); }

testing::AssertionResult HasExactWavHeader(const std::string& name, int64_t* dataSize, int64_t behindData) {
    const std::vector<uint8_t> bytes = ReadByteVector(WorkFile(name));
    if (bytes.size() < 44) {
        return testing::AssertionFailure() << name << " has " << bytes.size() << " bytes";
    }
    const uint8_t* h = bytes.data();
    const int64_t size = static_cast<int64_t>(bytes.size()), dataEnd = size - behindData;
    if (std::memcmp(h, "RIFF", 4) || std::memcmp(h + 8, "WAVEfmt ", 8) || Le32(h + 16) != 16 ||
        std::memcmp(h + 36, "data", 4)) {
        return testing::AssertionFailure() << name << " lacks the canonical header";
    }
    if (Le32(h + 4) != size - 8 || Le32(h + 40) != dataEnd - 44) {
        return testing::AssertionFailure()
               << name << ": RIFF size " << Le32(h + 4) << ", data size " << Le32(h + 40) << ", file " << size;
    }
    if (dataSize) {
        *dataSize = dataEnd - 44;
    }
    return testing::AssertionSuccess();
}

#include "LameFixtures.h"

namespace acmtest {

Bytes MakeLameFile(const std::string& name, const LameFile& file, double seconds) {
    // Different tones per channel show a swap; --resample keeps lame at the rate.
    const std::string tones = file.channels == 2 ? "sine 440 sine 660" : "sine 440";
    RunHostOrFail("sox -n -r " + std::to_string(file.rate) + " -c " + std::to_string(file.channels) + " -b 16 " +
                  ShellPath(WorkFile(name + ".wav")) + " synth " + std::to_string(seconds) + " " + tones + " vol 0.5");
    std::string tag;
    if (file.id3v2) {
        tag = " --id3v2-only --pad-id3v2-size 300 --tt 'Canción de prueba' --ta Sonaris";
    }
    RunHostOrFail("lame --quiet --resample " + std::to_string(file.rate / 1000.0) + " " + file.options + tag + " " +
                  ShellPath(WorkFile(name + ".wav")) + " " + ShellPath(WorkFile(name)));
    return ReadByteVector(WorkFile(name));
}

} // namespace acmtest

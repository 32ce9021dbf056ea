#include "core/InstallLog.h"
#include "core/InstallerSwitches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using core::InstallLogRecord;
using core::ParseInstallLog;

namespace {

const std::string kSignature = "VELTRA (De)Install 2.0 - Install.log";
const std::string kWarning = "Nicht ver\xE4ndern, nicht l\xF6schen!";
const std::string kCrLf = "\r\n";

std::string Lines(const std::vector<std::string>& lines, const std::string& end = kCrLf) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + end;
    }
    return text;
}

std::vector<std::string> Header(const std::string& count, const std::string& subdir = "Veltra") {
    return {kSignature, kWarning, "Veltra Audio", subdir, "Veltra", "veltra.grp", count};
}

std::vector<std::string> WithEntries(const std::string& count, const std::vector<std::string>& entryLines) {
    std::vector<std::string> lines = Header(count);
    lines.insert(lines.end(), entryLines.begin(), entryLines.end());
    return lines;
}

const std::vector<std::string> kTwoEntries = {"converter.exe", "Convertidor", "Install.log", "NEIN!"};

struct LogCase {
    const char* name;
    std::string bytes;
    bool valid;
};

std::string OneEntry(const std::string& group, const std::string& caption, const std::string& name = "c.exe") {
    return Lines({kSignature, kWarning, "P", "S", group, "g.grp", "1", name, caption}) + kCrLf;
}

std::vector<LogCase> LogCases() {
    std::string twoEntries = Lines(WithEntries("2", kTwoEntries));
    std::string padded = twoEntries + kCrLf;
    padded += std::string(core::kLogSizeLimit - padded.size(), ' ');
    std::vector<std::string> lfHeader = Header("0");
    return {
        {"count 0, exactly seven lines", Lines(Header("0")), true},
        {"count 0, last line without line end", Lines(Header("0")).substr(0, Lines(Header("0")).size() - 2), true},
        {"last caption line ends the file", twoEntries, false},
        {"one empty line after the entries", twoEntries + kCrLf, true},
        {"last caption without line end", twoEntries.substr(0, twoEntries.size() - 2), false},
        {"Ctrl-Z right after the last entry", twoEntries + "\x1A" + kCrLf, false},
        {"Ctrl-Z after the closing empty line", twoEntries + kCrLf + "\x1A", true},
        {"Ctrl-Z inside line 1", "VELTRA (De)\x1A" + twoEntries, false},
        {"CR alone ends lines", Lines(WithEntries("2", kTwoEntries), "\r") + "\r", true},
        {"LF-only line ends", Lines(WithEntries("2", kTwoEntries), "\n") + "\n", false},
        {"LF-only end of line 1 only", kSignature + "\n" + Lines({kWarning, "P", "S", "G", "g.grp", "0"}), false},
        {"LF after CR LF starts line 2", kSignature + "\r\n\n" + Lines({kWarning, "P", "S", "G", "g.grp", "0"}), false},
        {"line 1 with trailing blank", Lines({kSignature + " ", kWarning, "P", "S", "G", "g.grp", "0"}), false},
        {"line 1 in other letter case",
         Lines({"VELTRA (De)install 2.0 - Install.log", kWarning, "P", "S", "G", "g.grp", "0"}), false},
        {"line 2 in UTF-8",
         Lines({kSignature, "Nicht ver\xC3\xA4ndern, nicht l\xC3\xB6schen!", "P", "S", "G", "g.grp", "0"}), false},
        {"empty file", "", false},
        {"stops before the count", Lines({kSignature, kWarning, "P", "S"}), false},
        {"count with leading blanks", Lines(WithEntries("   2", kTwoEntries)) + kCrLf, true},
        {"count with trailing blank", Lines(WithEntries("2 ", kTwoEntries)) + kCrLf, false},
        {"empty count line", Lines(WithEntries("", kTwoEntries)) + kCrLf, false},
        {"blank count line", Lines(WithEntries("  ", kTwoEntries)) + kCrLf, false},
        {"count with a letter", Lines(WithEntries("2a", kTwoEntries)) + kCrLf, false},
        {"count with leading tab", Lines(WithEntries("\t2", kTwoEntries)) + kCrLf, false},
        {"sign without digits", Lines(WithEntries("-", kTwoEntries)) + kCrLf, false},
        {"count beyond 32 bits", Lines(WithEntries("4294967298", kTwoEntries)) + kCrLf, false},
        {"count above the table", Lines(WithEntries("101", kTwoEntries)) + kCrLf, false},
        {"negative count", Lines(WithEntries("-1", kTwoEntries)) + kCrLf, false},
        {"count whose low 16 bits are 2", Lines(WithEntries("65538", kTwoEntries)) + kCrLf, true},
        {"exactly the size limit", padded, true},
        {"one byte over the size limit", padded + " ", false},
        {"commas and parentheses in group and caption", OneEntry("Audio (2), Prueba", "Uno (a), b"), true},
        {"empty group name", OneEntry("", "C"), false},
        {"group name dot", OneEntry(".", "C"), false},
        {"group name dot dot", OneEntry("..", "C"), false},
        {"group name of blanks", OneEntry("  ", "C"), false},
        {"group name with backslash", OneEntry("Audio\\Sub", "C"), false},
        {"group name with star", OneEntry("Audio*", "C"), false},
        {"group name ending its command", OneEntry("Grupo\")][DeleteGroup(\"x", "C"), false},
        {"group name with square bracket", OneEntry("Grupo [x]", "C"), false},
        {"group name with control byte", OneEntry("Grupo\tx", "C"), false},
        {"caption with quote", OneEntry("G", "Uno\")][DeleteGroup(\"x"), false},
        {"caption with square bracket", OneEntry("G", "Uno]"), false},
        {"caption with zero byte", OneEntry("G", std::string("Uno\0x", 5)), false},
        {"caption climbing to Startup", OneEntry("G", "..\\Startup\\Convertidor"), false},
        {"caption climbing to the desktop", OneEntry("G", "..\\..\\Desktop\\x"), false},
        {"caption in a subfolder", OneEntry("G", "sub\\Conv"), false},
        {"caption with slash", OneEntry("G", "sub/Conv"), false},
        {"caption naming a stream", OneEntry("G", "x:flujo"), false},
        {"caption with star", OneEntry("G", "Conv*"), false},
        {"caption with question mark", OneEntry("G", "Conv?"), false},
        {"caption with angle bracket", OneEntry("G", "a<b"), false},
        {"caption with bar", OneEntry("G", "a|b"), false},
        {"caption dot", OneEntry("G", "."), false},
        {"caption dot dot", OneEntry("G", ".."), false},
        {"empty caption", OneEntry("G", ""), false},
        {"caption naming a device", OneEntry("G", "CON"), false},
        {"caption naming a port", OneEntry("G", "lpt3"), false},
        {"caption naming superscript port", OneEntry("G", "COM\xB9"), false},
        {"caption with dots and blanks", OneEntry("G", "Convertidor v2. Beta"), true},
        {"parent directory before a zero byte", OneEntry("G", "C", std::string("..\0x", 4)), false},
        {"name with control byte", OneEntry("G", "C", "a\tb.txt"), false},
    };
}

class LogRules : public testing::TestWithParam<LogCase> {};

TEST_P(LogRules, Verdict) {
    InstallLogRecord log;
    EXPECT_EQ(ParseInstallLog(GetParam().bytes, "", log), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(InstallLog, LogRules, testing::ValuesIn(LogCases()),
                         [](const testing::TestParamInfo<LogCase>& info) {
                             std::string name;
                             for (char c : std::string(info.param.name)) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

struct NameCase {
    const char* fileName;
    bool valid;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.fileName; }

class EntryNames : public testing::TestWithParam<NameCase> {};

TEST_P(EntryNames, OnlyNamesInsideTheDirectoryAreAccepted) {
    InstallLogRecord log;
    std::string bytes = Lines(WithEntries("2", {"converter.exe", "C", GetParam().fileName, "NEIN!"})) + kCrLf;
    EXPECT_EQ(ParseInstallLog(bytes, "", log), GetParam().valid) << GetParam().fileName;
}

INSTANTIATE_TEST_SUITE_P(
    InstallLog, EntryNames,
    testing::Values(NameCase{"uninstall.exe", true}, NameCase{"sub\\file.dll", true}, NameCase{"..foo", true},
                    NameCase{"file..exe", true}, NameCase{"..\\evil.exe", false}, NameCase{"..", false},
                    NameCase{"sub\\..\\..\\evil.exe", false}, NameCase{"sub/../x", false},
                    NameCase{".. \\evil.exe", false}, NameCase{"...\\evil.exe", false},
                    NameCase{"C:\\Windows\\evil.exe", false}, NameCase{"c:evil.exe", false},
                    NameCase{"\\evil.exe", false}, NameCase{"/evil.exe", false},
                    NameCase{"\\\\server\\share\\evil.exe", false}, NameCase{"CON", false}, NameCase{"con.txt", false},
                    NameCase{"Nul .log", false}, NameCase{"sub\\aux", false}, NameCase{"PRN.x.y", false},
                    NameCase{"COM1", false}, NameCase{"com9.dll", false}, NameCase{"LPT1", false},
                    NameCase{"COM0", true}, NameCase{"LPT10", true}, NameCase{"COM\xB9", false},
                    NameCase{"com\xB2.dll", false}, NameCase{"LPT\xB3.txt", false}, NameCase{"COM\xB4", true},
                    NameCase{"CONSOLE.exe", true}, NameCase{"x.exe:s", false}, NameCase{"a[1].txt", false}));

TEST(InstallLog, GroupFileOutsideTheDirectoryIsDamaged) {
    std::vector<std::string> lines = {kSignature, kWarning, "P", "S", "G", "..\\..\\Windows\\win.ini", "0"};
    InstallLogRecord log;
    EXPECT_FALSE(ParseInstallLog(Lines(lines), "", log));
}

TEST(InstallLog, FillsTheRecord) {
    InstallLogRecord log;
    std::string bytes = Lines(WithEntries("2", kTwoEntries)) + kCrLf;
    ASSERT_TRUE(ParseInstallLog(bytes, "C:\\Program Files\\", log));
    EXPECT_EQ(log.ProgramName, "Veltra Audio");
    EXPECT_EQ(log.DefaultTarget, "C:\\Program Files\\Veltra");
    EXPECT_EQ(log.GroupName, "Veltra");
    EXPECT_EQ(log.GroupFile, "veltra.grp");
    EXPECT_EQ(log.EntryCount, 2);
    EXPECT_EQ(log.Entries[0].FileName, "converter.exe");
    EXPECT_EQ(log.Entries[0].ItemCaption, "Convertidor");
    EXPECT_EQ(log.Entries[1].FileName, "Install.log");
    EXPECT_EQ(log.Entries[1].ItemCaption, "NEIN!");
}

TEST(InstallLog, CountUsesTheLow16Bits) {
    InstallLogRecord log;
    ASSERT_TRUE(ParseInstallLog(Lines(WithEntries("-65535", {"a.exe", "A"})) + kCrLf, "", log));
    EXPECT_EQ(log.EntryCount, 1);
}

TEST(InstallLog, AHundredEntriesFitTheTable) {
    std::vector<std::string> entries;
    for (int k = 1; k <= 100; ++k) {
        entries.push_back("f" + std::to_string(k) + ".dat");
        entries.push_back("NEIN!");
    }
    InstallLogRecord log;
    ASSERT_TRUE(ParseInstallLog(Lines(WithEntries("100", entries)) + kCrLf, "", log));
    EXPECT_EQ(log.Entries[99].FileName, "f100.dat");
}

TEST(InstallLog, EntryLinesAreCutTo99Characters) {
    std::string longName(120, 'n');
    std::string longCaption(120, 'c');
    InstallLogRecord log;
    ASSERT_TRUE(ParseInstallLog(Lines(WithEntries("1", {longName, longCaption})) + kCrLf, "", log));
    EXPECT_EQ(log.Entries[0].FileName, std::string(99, 'n'));
    EXPECT_EQ(log.Entries[0].ItemCaption, std::string(99, 'c'));
}

TEST(InstallLog, ProgramNameIsCutTo255CharactersAndPathsAreNot) {
    std::string longText(300, 'x');
    std::vector<std::string> lines = {kSignature, kWarning, longText, longText, longText, "g.grp", "0"};
    InstallLogRecord log;
    ASSERT_TRUE(ParseInstallLog(Lines(lines), "C:\\Program Files\\", log));
    EXPECT_EQ(log.ProgramName, std::string(255, 'x'));
    EXPECT_EQ(log.DefaultTarget, "C:\\Program Files\\" + longText);
    EXPECT_EQ(log.GroupName, longText);
}

TEST(InstallLog, LoneLineFeedStaysInTheText) {
    std::vector<std::string> lines = {kSignature, kWarning, "Veltra\nAudio", "S", "G", "g.grp", "0"};
    InstallLogRecord log;
    ASSERT_TRUE(ParseInstallLog(Lines(lines), "", log));
    EXPECT_EQ(log.ProgramName, "Veltra\nAudio");
}

TEST(InstallLog, UninstallAcceptsAnEmptyLine4) {
    InstallLogRecord log;
    ASSERT_TRUE(ParseInstallLog(Lines(Header("0", "")), "", log));
    EXPECT_EQ(log.DefaultTarget, "");
}

} // namespace

namespace {

struct SwitchCase {
    const char* commandLine;
    bool silent;
    const char* folder;
};

class InstallerSwitchRules : public testing::TestWithParam<SwitchCase> {};

TEST_P(InstallerSwitchRules, SilentAndFolder) {
    const core::InstallerSwitches switches = core::ParseInstallerSwitches(GetParam().commandLine);
    EXPECT_EQ(switches.silent, GetParam().silent) << GetParam().commandLine;
    EXPECT_EQ(switches.folder, GetParam().folder) << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(InstallLog, InstallerSwitchRules,
                         testing::Values(SwitchCase{"setup.exe", false, ""}, SwitchCase{"setup.exe /S", true, ""},
                                         SwitchCase{"\"C:\\Dist /S\\setup.exe\"", false, ""},
                                         SwitchCase{"setup.exe /s", true, ""},
                                         SwitchCase{"\"C:\\A B\\setup.exe\"  /S /D=C:\\Program Files\\Otro ", true,
                                                    "C:\\Program Files\\Otro"},
                                         SwitchCase{"setup.exe /D=C:\\x /S", false, "C:\\x /S"},
                                         SwitchCase{"setup.exe /SS", false, ""}, SwitchCase{"C:\\dist\\/S", false, ""},
                                         SwitchCase{"uninstall.exe\t/S", true, ""}));

} // namespace

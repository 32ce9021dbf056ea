#include "KnownState.h"
#include "UiTestSupport.h"
#include "ui/resource.h"

#include <cstring>

namespace uitest {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

const wchar_t kWriteFailure[] = L"nach converter.INI kann nicht geschrieben werden";

// The section's keys and values in file order, as the text holds them.
Entries ProfileEntries() {
    Entries entries;
    const std::string text = ReadWholeFile(ProfilePath()).value_or("");
    bool inSection = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            inSection = line == "[TMainForm]";
        } else if (inSection && line.find('=') != std::string::npos) {
            entries.emplace_back(line.substr(0, line.find('=')), line.substr(line.find('=') + 1));
        }
    }
    return entries;
}

std::string Value(const Entries& entries, const std::string& key) {
    for (const auto& [k, v] : entries) {
        if (k == key) {
            return v;
        }
    }
    return "<missing>";
}

std::string ScreenSuffix() {
    return "(" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN)) +
           ")";
}

int ScreenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi;
}

void CloseAgreed(Converter& converter) {
    PostMessageW(converter.Main(), WM_CLOSE, 0, 0);
    const MessageBoxSeen box = converter.WaitForMessageBox();
    ASSERT_EQ(box.text, L"Usted termina el programa con esto");
    Answer(box, IDOK);
    ASSERT_TRUE(converter.WaitForExit());
}

bool IsChecked(Converter& converter, int id) {
    return SendMessageW(converter.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Selected(Converter& converter, int id) {
    return static_cast<int>(SendMessageW(converter.Control(id), CB_GETCURSEL, 0, 0));
}

std::vector<int32_t> StoredSelections() {
    const std::string bytes = ReadWholeFile(SettingsDatPath()).value_or("");
    std::vector<int32_t> values(bytes.size() / 4);
    std::memcpy(values.data(), bytes.data(), values.size() * 4);
    return values;
}

TEST(Settings, RestartKeepsTheFormatChoicesAndTheEightControls) {
    const RECT moved = {37, 41, 37 + 720, 41 + 520};
    int mp3Choice = -1;
    {
        Converter converter;
        converter.PickDown(IDC_MAIN_WAVFORMATS, 2);
        if (converter.ComboItems(IDC_MAIN_MP3FORMAT2).size() >= 2) {
            converter.PickDown(IDC_MAIN_MP3FORMAT2, 1);
            mp3Choice = 1;
        } else if (HasMp3Codec(converter)) {
            mp3Choice = 0;
        }
        EXPECT_EQ(Selected(converter, IDC_MAIN_MP3FORMAT), mp3Choice) << "the lists stay in step";
        EXPECT_EQ(StoredSelections(), (std::vector<int32_t>{mp3Choice, mp3Choice, 2}));

        converter.Click(IDC_MAIN_CDQUAL2CHECK);
        converter.Click(IDC_MAIN_CDQUALCHECK);
        converter.Click(IDC_MAIN_OWNFOLDERCHECK);
        converter.SetText(IDC_MAIN_OUTDIRECTORYED, L"  C:\\Salida \t");
        converter.SetText(IDC_MAIN_OUTDIRECTORY2ED, L"\"C:\\Mis Datos\"");
        SetWindowPos(converter.Main(), nullptr, moved.left, moved.top, moved.right - moved.left,
                     moved.bottom - moved.top, SWP_NOZORDER | SWP_NOACTIVATE);
        CloseAgreed(converter);
    }

    EXPECT_FALSE(Exists(OldProfilePath())) << "nothing is written to the Windows folder";
    EXPECT_FALSE(Exists(OldSettingsDatPath())) << "nothing is written beside the program";
    const Entries entries = ProfileEntries();
    std::vector<std::string> keys;
    for (const auto& entry : entries) {
        keys.push_back(entry.first);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{
                        "FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos" + ScreenSuffix(), "MinMaxPos",
                        "NormPos" + ScreenSuffix(), "NormPos", "Visible", "cdqual2check_Checked", "cdqualcheck_Checked",
                        "QuellCheck_Checked", "OwnfolderCheck_Checked", "OutDirectoryEd_Text", "OutDirectory2Ed_Text",
                        "OwnFolderCheck2_Checked", "QuellCheck2_Checked"}));
    EXPECT_EQ(Value(entries, "FormVersion"), "0");
    EXPECT_EQ(Value(entries, "ShowCmd"), "1");
    EXPECT_EQ(Value(entries, "Visible"), "0");
    EXPECT_EQ(Value(entries, "PixelsPerInch"), std::to_string(ScreenPixelsPerInch()));
    EXPECT_EQ(Value(entries, "NormPos"), Value(entries, "NormPos" + ScreenSuffix()));
    EXPECT_EQ(Value(entries, "cdqual2check_Checked"), "True");
    EXPECT_EQ(Value(entries, "QuellCheck_Checked"), "False");
    EXPECT_EQ(Value(entries, "OutDirectoryEd_Text"), "C:\\Salida");
    EXPECT_EQ(Value(entries, "OutDirectory2Ed_Text"), "\"\"C:\\Mis Datos\"\"");
    EXPECT_EQ(Value(entries, "QuellCheck2_Checked"), "True");

    Converter converter;
    EXPECT_EQ(Selected(converter, IDC_MAIN_WAVFORMATS), 2);
    EXPECT_EQ(Selected(converter, IDC_MAIN_MP3FORMAT), mp3Choice);
    EXPECT_EQ(Selected(converter, IDC_MAIN_MP3FORMAT2), mp3Choice);
    EXPECT_TRUE(IsChecked(converter, IDC_MAIN_CDQUAL2CHECK));
    EXPECT_TRUE(IsChecked(converter, IDC_MAIN_CDQUALCHECK));
    EXPECT_FALSE(IsChecked(converter, IDC_MAIN_QUELLCHECK));
    EXPECT_TRUE(IsChecked(converter, IDC_MAIN_OWNFOLDERCHECK));
    EXPECT_EQ(converter.Text(IDC_MAIN_OUTDIRECTORYED), L"C:\\Salida");
    EXPECT_EQ(converter.Text(IDC_MAIN_OUTDIRECTORY2ED), L"\"C:\\Mis Datos\"");
    EXPECT_FALSE(IsChecked(converter, IDC_MAIN_OWNFOLDERCHECK2));
    EXPECT_TRUE(IsChecked(converter, IDC_MAIN_QUELLCHECK2));
    RECT now = {};
    GetWindowRect(converter.Main(), &now);
    EXPECT_TRUE(EqualRect(&now, &moved)) << now.left << "," << now.top << "," << now.right << "," << now.bottom;
}

TEST(Settings, TheProgramsOwnSelectionsWriteNoSettings) {
    {
        Converter converter;
        EXPECT_FALSE(Exists(SettingsDatPath())) << "written without a choice of the user";
        CloseAgreed(converter);
    }
    // Sixteen bytes: a rewrite would leave twelve. The old place beside the
    // program is read while the settings folder holds none.
    const std::string stored("\0\0\0\0\0\0\0\0\3\0\0\0\7\7\7\7", 16);
    for (const std::wstring& place : {SettingsDatPath(), OldSettingsDatPath()}) {
        SCOPED_TRACE(testsupport::Narrow(place));
        WriteBytes(place, stored);
        Converter converter;
        EXPECT_EQ(Selected(converter, IDC_MAIN_WAVFORMATS), 3);
        CloseAgreed(converter);
        EXPECT_EQ(ReadWholeFile(place), stored);
        DeleteFileW(place.c_str());
    }
    EXPECT_FALSE(Exists(SettingsDatPath()));
}

TEST(Settings, CancelAtTheClosingQuestionWritesNoProfileAndOkWritesIt) {
    Converter converter;
    PostMessageW(converter.Main(), WM_CLOSE, 0, 0);
    Answer(converter.WaitForMessageBox(), IDCANCEL);
    converter.Settle();
    EXPECT_FALSE(Exists(ProfilePath()));
    CloseAgreed(converter);
    EXPECT_EQ(Value(ProfileEntries(), "Visible"), "0");
}

TEST(Settings, AnUnwritableProfileIsReportedAtTheCloseAndAgainAtDestruction) {
    ASSERT_TRUE(CreateDirectoryW(ProfilePath().c_str(), nullptr)) << "a folder in the profile's place";
    Converter converter;
    PostMessageW(converter.Main(), WM_CLOSE, 0, 0);
    Answer(converter.WaitForMessageBox(), IDOK);
    for (const char* moment : {"after the agreed close", "at destruction"}) {
        const MessageBoxSeen box = converter.WaitForMessageBox();
        EXPECT_EQ(box.text, kWriteFailure) << moment;
        EXPECT_EQ(box.caption, L"VELTRA Sonaris") << moment;
        Answer(box, IDOK);
    }
    EXPECT_TRUE(converter.WaitForExit());
}

TEST(Settings, TheEndOfTheSessionStoresTheProfileAsVisible) {
    Converter converter;
    PostMessageW(converter.Main(), WM_ENDSESSION, TRUE, 0);
    ASSERT_TRUE(converter.WaitForExit());
    EXPECT_EQ(Value(ProfileEntries(), "Visible"), "1");
    EXPECT_EQ(Value(ProfileEntries(), "FormVersion"), "0");
}

// The program's folder on a read-only mount, as Program Files is to a
// standard user: the choices of the old places are read, and what the user
// changes survives a restart without a write to the program or Windows folder.
TEST(Settings, ARestartKeepsTheChoicesWhenTheProgramFolderIsReadOnly) {
    const std::wstring folder = WorkFile(L"programa solo lectura");
    const std::string unixFolder = ShellPath(folder);
    RunHostOrFail("mkdir -p " + unixFolder + " && cp " + ShellPath(ConverterPath()) + " " +
                  ShellPath(ConverterPath().substr(0, ConverterPath().rfind(L'\\')) + L"\\sonarmp3.acm") + " " +
                  unixFolder);
    WriteBytes(folder + L"\\settings.dat", std::string("\0\0\0\0\0\0\0\0\3\0\0\0", 12));
    const std::string oldProfile = "[TMainForm]\r\nQuellCheck2_Checked=False\r\nOwnFolderCheck2_Checked=True\r\n";
    WriteBytes(OldProfilePath(), oldProfile);
    if (testsupport::RunHost("mount --bind " + unixFolder + " " + unixFolder + " && mount -o remount,bind,ro " +
                             unixFolder + " " + unixFolder)
            .exitCode != 0) {
        GTEST_SKIP() << "this machine mounts no folder read-only for the tests";
    }
    struct Unmount {
        std::string folder;
        ~Unmount() { testsupport::RunHost("umount -l " + folder); }
    } unmount{unixFolder};
    const std::string listing = RunHostOrFail("ls -lA --time-style=full-iso " + unixFolder);
    ASSERT_TRUE(RemoveDirectoryW(SettingsFolder().c_str())) << "the program makes the settings folder itself";

    {
        Converter converter(folder + L"\\converter.exe");
        EXPECT_EQ(Selected(converter, IDC_MAIN_WAVFORMATS), 3) << "read from beside the program";
        EXPECT_TRUE(IsChecked(converter, IDC_MAIN_OWNFOLDERCHECK2)) << "read from the Windows folder";
        converter.PickDown(IDC_MAIN_WAVFORMATS, 1);
        converter.Click(IDC_MAIN_CDQUALCHECK);
        CloseAgreed(converter);
    }
    Converter converter(folder + L"\\converter.exe");
    EXPECT_EQ(Selected(converter, IDC_MAIN_WAVFORMATS), 4);
    EXPECT_TRUE(IsChecked(converter, IDC_MAIN_CDQUALCHECK));
    EXPECT_TRUE(IsChecked(converter, IDC_MAIN_OWNFOLDERCHECK2));
    EXPECT_EQ(StoredSelections().size(), 3u);
    EXPECT_EQ(Value(ProfileEntries(), "cdqualcheck_Checked"), "True");
    EXPECT_EQ(RunHostOrFail("ls -lA --time-style=full-iso " + unixFolder), listing);
    EXPECT_EQ(ReadWholeFile(OldProfilePath()), oldProfile);
}

// Another process sees the placement of a minimized or maximized window only
// as its current rectangle, so its stored position is checked only when normal.
enum class Position { Stored, NotStored, Unseen };

struct Stored {
    const char* name;
    int formVersion;
    int pixelsPerInchOffset; // against the screen's
    int showCmd;
    Position position;
    bool maximized;
    bool minimized;
    bool controlsRestored;
};

TEST(Settings, TheStoredPlacementAppliesOnlyWhereItFits) {
    const Stored cases[] = {
        {"same resolution", 0, 0, 1, Position::Stored, false, false, true},
        {"other resolution", 0, 24, 1, Position::NotStored, false, false, true},
        {"other resolution, maximized", 0, 24, 3, Position::Unseen, true, false, true},
        {"minimized", 0, 0, 7, Position::Unseen, false, true, true},
        {"later layout version", -1, 0, 3, Position::NotStored, false, false, false},
    };
    for (const Stored& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string normPos = "50,60,850,660";
        WriteBytes(ProfilePath(), "[TMainForm]\r\nFormVersion=" + std::to_string(c.formVersion) +
                                      "\r\nFlags=0\r\nShowCmd=" + std::to_string(c.showCmd) + "\r\nPixelsPerInch=" +
                                      std::to_string(ScreenPixelsPerInch() + c.pixelsPerInchOffset) +
                                      "\r\nMinMaxPos=-1,-1,-1,-1\r\nNormPos=" + normPos +
                                      "\r\nQuellCheck2_Checked= false \r\nOwnFolderCheck2_Checked=true"
                                      "\r\ncdqualcheck_Checked=yes\r\nOutDirectoryEd_Text=\"\"C:\\Mis Datos\"\"\r\n");
        Converter converter;
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        GetWindowPlacement(converter.Main(), &placement);
        const RECT& r = placement.rcNormalPosition;
        if (c.position != Position::Unseen) {
            EXPECT_EQ(r.left == 50 && r.top == 60 && r.right == 850 && r.bottom == 660, c.position == Position::Stored)
                << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        }
        EXPECT_EQ(IsZoomed(converter.Main()) != FALSE, c.maximized);
        EXPECT_EQ(IsIconic(converter.Main()) != FALSE, c.minimized);
        EXPECT_EQ(IsChecked(converter, IDC_MAIN_OWNFOLDERCHECK2), c.controlsRestored);
        EXPECT_EQ(IsChecked(converter, IDC_MAIN_QUELLCHECK2), !c.controlsRestored);
        EXPECT_FALSE(IsChecked(converter, IDC_MAIN_CDQUALCHECK)) << "yes is neither True nor False";
        EXPECT_EQ(converter.Text(IDC_MAIN_OUTDIRECTORYED), c.controlsRestored ? L"\"C:\\Mis Datos\"" : L"");
    }
}

} // namespace
} // namespace uitest

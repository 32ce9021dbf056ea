#include "UiTestSupport.h"
#include "ui/resource.h"

#include <commctrl.h>
#include <oleacc.h>

namespace uitest {
namespace {

TEST(ConverterWindow, StartsWithItsFourTabsAndSubTabs) {
    Converter converter;
    ASSERT_TRUE(converter.Main());
    EXPECT_EQ(converter.TabCaptions(IDC_MAIN_TABS),
              (std::vector<std::wstring>{L"MP3->WAV convertidor", L"WAV->MP3 convertidor", L"WAV->WAV convertidor",
                                         L"MP3 ID3-Tag V1.1 Editor"}));
    EXPECT_EQ(converter.TabCaptions(IDC_MAIN_SUBTABS_MP3WAV),
              (std::vector<std::wstring>{L"Solo fichero", L"Tratamiento por lotes"}));
    EXPECT_EQ(converter.TabCaptions(IDC_MAIN_SUBTABS_WAVWAV), (std::vector<std::wstring>{L"Solo fichero"}));
    EXPECT_EQ(converter.Text(IDC_MAIN_HEADER_MP3WAV), L"MP3->WAV - selecto los ficheros y clic de \"Ir!\"");
    wchar_t caption[64] = {};
    GetWindowTextW(converter.Main(), caption, 64);
    EXPECT_STREQ(caption, L"VELTRA Sonaris 1.0");
}

TEST(ConverterWindow, PcmListHoldsWinesOwnFormats) {
    Converter converter;
    const std::vector<std::wstring> pcm = converter.ComboItems(IDC_MAIN_WAVFORMATS);
    ASSERT_FALSE(pcm.empty());
    EXPECT_NE(std::find(pcm.begin(), pcm.end(), L"44100 Hz; 16 bits; Stereo"), pcm.end());
    EXPECT_EQ(SendMessageW(converter.Control(IDC_MAIN_WAVFORMATS), CB_GETCURSEL, 0, 0), 0);
}

TEST(ConverterWindow, BothMp3ListsHoldTheSameFormats) {
    Converter converter;
    const std::vector<std::wstring> single = converter.ComboItems(IDC_MAIN_MP3FORMAT);
    if (single.empty()) {
        GTEST_SKIP() << "no MP3 codec is installed in this prefix (l3codecp.exe not built yet)";
    }
    EXPECT_EQ(converter.ComboItems(IDC_MAIN_MP3FORMAT2), single);
    EXPECT_EQ(SendMessageW(converter.Control(IDC_MAIN_MP3FORMAT), CB_GETCURSEL, 0, 0), 0);
}

TEST(ConverterWindow, CloseQuestionCancelKeepsRunningAndOkEnds) {
    Converter converter;
    PostMessageW(converter.Main(), WM_CLOSE, 0, 0);
    MessageBoxSeen box = converter.WaitForMessageBox();
    EXPECT_EQ(box.caption, L"Termina el programa");
    EXPECT_EQ(box.text, L"Usted termina el programa con esto");
    Answer(box, IDCANCEL);
    EXPECT_TRUE(IsWindow(converter.Main()));
    EXPECT_TRUE(converter.Running());

    PostMessageW(converter.Control(IDC_MAIN_ENDEBTN), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(converter.Control(IDC_MAIN_ENDEBTN), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    box = converter.WaitForMessageBox();
    EXPECT_EQ(box.text, L"Usted termina el programa con esto");
    Answer(box, IDOK);
    EXPECT_TRUE(converter.WaitForExit());
}

TEST(ConverterWindow, AboutBoxShowsProductAndClosesWithOk) {
    Converter converter;
    PostMessageW(converter.Control(IDC_MAIN_UEBERBTN), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(converter.Control(IDC_MAIN_UEBERBTN), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = converter.TopLevel(L"TAboutBox")) != nullptr; }));
    wchar_t caption[64] = {};
    GetWindowTextW(about, caption, 64);
    EXPECT_STREQ(caption, L"A propósito");
    EXPECT_FALSE(IsWindowEnabled(converter.Main()));
    SaveScreenshot("about");
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return converter.TopLevel(L"TAboutBox") == nullptr; }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(converter.Main()) != FALSE; }));
}

// The screen density that Wine gives the programs started while this lives.
class ScreenDpiForNewPrograms {
public:
    explicit ScreenDpiForNewPrograms(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                        nullptr);
        DWORD size = sizeof before_;
        hadValue_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&before_), &size) ==
                    ERROR_SUCCESS;
        RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScreenDpiForNewPrograms() {
        if (hadValue_) {
            RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before_), sizeof before_);
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }
    ScreenDpiForNewPrograms(const ScreenDpiForNewPrograms&) = delete;
    ScreenDpiForNewPrograms& operator=(const ScreenDpiForNewPrograms&) = delete;

private:
    static constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";
    static constexpr const wchar_t* kValue = L"LogPixels";
    HKEY key_ = nullptr;
    DWORD before_ = 0;
    bool hadValue_ = false;
};

SIZE WindowSize(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

struct ScaledSize {
    const char* name;
    int id; // 0: the main window's client area
    UINT dpi;
    LONG width, height; // 0: not checked
};

// Sizes given in pixels of a 96-DPI screen grow with the screen's density.
TEST(ConverterWindow, SizesFollowTheScreensDpi) {
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const ScaledSize rows[] = {
        {"main window", 0, 96, 675, 443},
        {"Go button", IDC_MAIN_GOBTN5, 96, 101, 30},
        {"picture column", IDC_MAIN_COLUMN_WAVWAV, 96, 209, 0},
        {"header strip", IDC_MAIN_HEADER_WAVWAV, 96, 0, 33},
        {"main window", 0, 144, 1013, 665},
        {"Go button", IDC_MAIN_GOBTN5, 144, 152, 45},
        {"About button", IDC_MAIN_UEBERBTN, 144, 152, 45},
        {"picture column", IDC_MAIN_COLUMN_WAVWAV, 144, 314, 0},
        {"header strip", IDC_MAIN_HEADER_WAVWAV, 144, 0, 50},
        {"browse button", IDC_MAIN_INPUT3ED_BROWSE, 144, 35, 33},
    };
    for (UINT dpi : {96u, 144u}) {
        ScreenDpiForNewPrograms screen(dpi);
        Converter converter;
        ASSERT_TRUE(converter.Main());
        for (const ScaledSize& row : rows) {
            if (row.dpi != dpi) {
                continue;
            }
            RECT client = {};
            GetClientRect(converter.Main(), &client);
            const SIZE size = row.id ? WindowSize(converter.Control(row.id)) : SIZE{client.right, client.bottom};
            if (row.width) {
                EXPECT_EQ(size.cx, row.width) << row.name << " at " << dpi;
            }
            if (row.height) {
                EXPECT_EQ(size.cy, row.height) << row.name << " at " << dpi;
            }
        }
        converter.WaitIdle();
        SaveScreenshot("dpi-" + std::to_string(dpi));
    }
}

struct Drag {
    const char* name;
    std::vector<POINT> moves; // after the press at (10, 10); the release is at the last point
    bool runs;
};

// Mouse messages are sent, not posted, so that each has been handled before
// the next; a run that starts would keep the release from returning at once.
TEST(ConverterWindow, ImageButtonRunsOnlyWhenReleasedOverIt) {
    const Drag drags[] = {
        {"dragged off", {{60, 15}, {150, 80}}, false},
        {"dragged off above", {{-5, -40}}, false},
        {"dragged off and back", {{150, 80}, {40, 12}}, true},
    };
    for (const Drag& drag : drags) {
        Converter converter;
        const std::wstring source = WorkFile(L"drag.wav"), destination = WorkFile(L"drag-out.wav");
        RunHostOrFail("sox -n -r 8000 -c 1 -b 8 " + testsupport::ShellPath(source) + " synth 0.2 sine 440");
        DeleteFileW(destination.c_str());
        converter.SetText(IDC_MAIN_INPUT3ED, source);
        converter.SetText(IDC_MAIN_OUTPUT3ED, destination);
        HWND go = converter.Control(IDC_MAIN_GOBTN5);
        SendMessageW(go, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        for (POINT p : drag.moves) {
            SendMessageW(go, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        }
        const POINT last = drag.moves.back();
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(
            SendMessageTimeoutW(go, WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y), SMTO_NORMAL, kWaitMs, &ignored))
            << drag.name;
        EXPECT_EQ(Exists(destination), drag.runs) << drag.name;
        EXPECT_EQ(converter.TopLevel(L"TStatusForm"), nullptr) << drag.name;
    }
}

TEST(ConverterWindow, ScreenshotsOfEveryPage) {
    Converter converter;
    struct Shot {
        int tabs, index;
        const char* name;
    };
    const Shot shots[] = {
        {IDC_MAIN_TABS, 0, "tab-mp3wav"}, {IDC_MAIN_SUBTABS_MP3WAV, 1, "tab-mp3wav-batch"},
        {IDC_MAIN_TABS, 1, "tab-wavmp3"}, {IDC_MAIN_SUBTABS_WAVMP3, 1, "tab-wavmp3-batch"},
        {IDC_MAIN_TABS, 2, "tab-wavwav"}, {IDC_MAIN_TABS, 3, "tab-tageditor"},
    };
    for (const Shot& shot : shots) {
        converter.SelectTab(shot.tabs, shot.index);
        EXPECT_EQ(SendMessageW(converter.Control(shot.tabs), TCM_GETCURSEL, 0, 0), shot.index) << shot.name;
        converter.WaitIdle();
        SaveScreenshot(shot.name);
    }
    EXPECT_TRUE(IsWindowVisible(converter.Control(IDC_MAIN_EDTITLE)));
    EXPECT_FALSE(IsWindowVisible(converter.Control(IDC_MAIN_INPUTFILEED)));
}

struct TabOrder {
    const char* name;
    int subTabs, subTab;
    std::vector<int> stops; // from the main tab strip round to it again
};

TEST(ConverterWindow, TabGoesThroughEachPageInReadingOrder) {
    const TabOrder orders[] = {
        {"MP3 to WAV, one file",
         IDC_MAIN_SUBTABS_MP3WAV,
         0,
         {IDC_MAIN_TABS, IDC_MAIN_SUBTABS_MP3WAV, IDC_MAIN_INPUTFILEED, IDC_MAIN_INPUTFILEED_BROWSE,
          IDC_MAIN_OUTPUTFILEED, IDC_MAIN_OUTPUTFILEED_BROWSE, IDC_MAIN_CDQUALCHECK, IDC_MAIN_GOBTN1, IDC_MAIN_WWWBTN,
          IDC_MAIN_UEBERBTN, IDC_MAIN_ENDEBTN, IDC_MAIN_TABS}},
        {"MP3 to WAV, batch",
         IDC_MAIN_SUBTABS_MP3WAV,
         1,
         {IDC_MAIN_TABS, IDC_MAIN_SUBTABS_MP3WAV, IDC_MAIN_QUELLCHECK, IDC_MAIN_OUTDIRECTORYED,
          IDC_MAIN_OUTDIRECTORYED_BROWSE, IDC_MAIN_ADDBTN, IDC_MAIN_DELBTN, IDC_MAIN_DELALLBTN, IDC_MAIN_FILELIST,
          IDC_MAIN_CDQUAL2CHECK, IDC_MAIN_GOBTN2, IDC_MAIN_WWWBTN, IDC_MAIN_UEBERBTN, IDC_MAIN_ENDEBTN, IDC_MAIN_TABS}},
    };
    for (const TabOrder& order : orders) {
        Converter converter;
        converter.SelectTab(order.subTabs, order.subTab);
        ASSERT_TRUE(converter.TabTo(IDC_MAIN_TABS)) << order.name;
        std::vector<int> reached = {converter.FocusedId()};
        while (reached.size() < order.stops.size() && converter.PressTab()) {
            reached.push_back(converter.FocusedId());
        }
        EXPECT_EQ(reached, order.stops) << order.name;
    }
}

struct TabSwitch {
    const char* name;
    int from;
    bool shift;
    int to;
};

TEST(ConverterWindow, ControlTabSwitchesTheMainTabs) {
    const TabSwitch switches[] = {
        {"Ctrl+Tab", 0, false, 1},
        {"Ctrl+Tab on the last", 3, false, 0},
        {"Ctrl+Shift+Tab", 0, true, 3},
        {"Ctrl+Shift+Tab", 2, true, 1},
    };
    Converter converter;
    HWND tabs = converter.Control(IDC_MAIN_TABS);
    for (const TabSwitch& change : switches) {
        converter.SelectTab(IDC_MAIN_TABS, change.from);
        converter.TypeWithControl(VK_TAB, change.shift);
        EXPECT_TRUE(WaitUntil([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == change.to; }))
            << change.name << " from " << change.from;
        converter.Settle();
        EXPECT_EQ(converter.Focused(), tabs) << change.name;
    }
    EXPECT_TRUE(IsWindowVisible(converter.Control(IDC_MAIN_INPUT2ED))) << "the page of the chosen tab shows";
}

// Enter and Space hold the button down as a mouse press does and start the
// run when the key comes up; the keyboard is back on the button afterwards.
TEST(ConverterWindow, EnterAndSpacePressAFocusedImageButton) {
    for (WPARAM key : {VK_RETURN, VK_SPACE}) {
        Converter converter;
        const std::wstring source = WorkFile(L"teclado.wav"), destination = WorkFile(L"teclado-out.wav");
        RunHostOrFail("sox -n -r 8000 -c 1 -b 8 " + ShellPath(source) + " synth 0.2 sine 440");
        DeleteFileW(destination.c_str());
        converter.SelectTab(IDC_MAIN_TABS, 2);
        converter.SetText(IDC_MAIN_INPUT3ED, source);
        converter.SetText(IDC_MAIN_OUTPUT3ED, destination);
        ASSERT_TRUE(converter.TabTo(IDC_MAIN_GOBTN5));
        HWND go = converter.Control(IDC_MAIN_GOBTN5);
        EXPECT_EQ(SendMessageW(go, BM_GETSTATE, 0, 0), BST_FOCUS) << "key " << key;
        PostMessageW(go, WM_KEYDOWN, key, 1);
        converter.SettlePosted(1);
        EXPECT_EQ(SendMessageW(go, BM_GETSTATE, 0, 0), BST_FOCUS | BST_PUSHED) << "key " << key;
        EXPECT_FALSE(Exists(destination)) << "key " << key;
        PostMessageW(go, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
        EXPECT_TRUE(WaitUntil([&] { return Exists(destination) && converter.Focused() == go; })) << "key " << key;
        EXPECT_EQ(SendMessageW(go, BM_GETSTATE, 0, 0), BST_FOCUS) << "key " << key;
        EXPECT_EQ(converter.TopLevel(L"TStatusForm"), nullptr) << "key " << key;
    }
}

TEST(ConverterWindow, EnterOnTheAboutButtonOpensTheAboutBox) {
    Converter converter;
    ASSERT_TRUE(converter.TabTo(IDC_MAIN_UEBERBTN));
    converter.PostKey(VK_RETURN);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = converter.TopLevel(L"TAboutBox")) != nullptr; }));
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return converter.Focused() == converter.Control(IDC_MAIN_UEBERBTN); }));
}

// What a screen reader asks a window for: its accessible object, answered as a push button.
TEST(ConverterWindow, ImageButtonsTellScreenReadersTheirCaption) {
    const std::pair<int, const wchar_t*> buttons[] = {
        {IDC_MAIN_GOBTN1, L"¡Ir!"}, {IDC_MAIN_UEBERBTN, L"Sobre"}, {IDC_MAIN_ENDEBTN, L"Termino"}};
    Converter converter;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    for (const auto& [id, caption] : buttons) {
        HWND button = converter.Control(id);
        wchar_t text[32] = {};
        GetWindowTextW(button, text, 32);
        EXPECT_STREQ(text, caption);
        IAccessible* accessible = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(button, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&accessible)),
                  S_OK);
        VARIANT role = {};
        EXPECT_EQ(accessible->get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
        BSTR name = nullptr;
        EXPECT_EQ(accessible->get_accName(self, &name), S_OK);
        EXPECT_STREQ(name, caption);
        SysFreeString(name);
        accessible->Release();
    }
    CoUninitialize();
}

} // namespace
} // namespace uitest

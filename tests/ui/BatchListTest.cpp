#include "KnownState.h"
#include "UiTestSupport.h"
#include "ui/resource.h"

namespace uitest {
namespace {

using Names = std::vector<std::wstring>;

// Empty files are enough for the lists: nothing is converted here.
Names MakeFiles(const Names& names) {
    Names files;
    for (const std::wstring& name : names) {
        files.push_back(WorkFile(name));
        WriteBytes(files.back(), "");
    }
    return files;
}

struct Page {
    const char* name;
    int list, add, del, delAll;
    const wchar_t* extension;
    const wchar_t* upperExtension;
    const wchar_t* other;
    int tab, subTabs; // where the page is shown
};

const Page kPages[] = {
    {"MP3 page", IDC_MAIN_FILELIST, IDC_MAIN_ADDBTN, IDC_MAIN_DELBTN, IDC_MAIN_DELALLBTN, L"mp3", L"MP3", L"wav", 0,
     IDC_MAIN_SUBTABS_MP3WAV},
    {"WAV page", IDC_MAIN_FILELIST2, IDC_MAIN_ADDBTN2, IDC_MAIN_DELBTN2, IDC_MAIN_DELALLBTN2, L"wav", L"WAV", L"mp3", 1,
     IDC_MAIN_SUBTABS_WAVMP3},
};

std::wstring Named(const wchar_t* stem, const wchar_t* extension) { return std::wstring(stem) + L"." + extension; }

TEST(BatchList, DroppingTheSameFilesTwiceAddsThemOnce) {
    Converter converter;
    for (const Page& page : kPages) {
        const Names files =
            MakeFiles({Named(L"uno", page.extension), Named(L"dos", page.extension), Named(L"tres", page.extension)});
        converter.DropFiles(page.list, files);
        converter.DropFiles(page.list, files);
        EXPECT_EQ(converter.ListItems(page.list), files) << page.name;
    }
}

TEST(BatchList, ANameInOtherLetterCaseIsAnotherEntry) {
    Converter converter;
    const std::wstring lower = WorkFile(L"cancion.mp3"), upper = WorkFile(L"CANCION.MP3");
    MakeFiles({L"cancion.mp3"});
    converter.DropFiles(IDC_MAIN_FILELIST, {lower});
    converter.DropFiles(IDC_MAIN_FILELIST, {upper, lower});
    EXPECT_EQ(converter.ListItems(IDC_MAIN_FILELIST), (Names{lower, upper}));
}

TEST(BatchList, OnlyFilesOfThePagesKindAreTakenFromADrop) {
    Converter converter;
    for (const Page& page : kPages) {
        const Names files = MakeFiles({Named(L"si", page.extension), Named(L"no", page.other), L"sin extension",
                                       Named(L"Mayusculas", page.upperExtension)});
        const std::wstring upper = files[3];
        const std::wstring folder = WorkFile(Named(L"carpeta", page.extension));
        CreateDirectoryW(folder.c_str(), nullptr);
        converter.DropFiles(page.list,
                            {files[0], files[1], files[2], folder, upper, WorkFile(Named(L"falta", page.extension))});
        EXPECT_EQ(converter.ListItems(page.list), (Names{files[0], upper})) << page.name;
    }
}

// The Delete key works on the list that has the keyboard.
void DeleteSelected(Converter& converter, const Page& page, bool byKey) {
    if (!byKey) {
        converter.Click(page.del);
        return;
    }
    converter.SelectTab(IDC_MAIN_TABS, page.tab);
    converter.SelectTab(page.subTabs, 1);
    ASSERT_TRUE(converter.TabTo(page.list));
    converter.PressKey(VK_DELETE);
    // The Tab queued behind the key moves the focus once the key is handled.
    ASSERT_TRUE(converter.PressTab());
}

TEST(BatchList, DeletingTheFirstAndThirdOfFourLeavesTheOthersInOrder) {
    for (bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "Delete key" : "Borrar");
        Converter converter;
        for (const Page& page : kPages) {
            const Names files = MakeFiles({Named(L"a", page.extension), Named(L"b", page.extension),
                                           Named(L"c", page.extension), Named(L"d", page.extension)});
            converter.DropFiles(page.list, files);
            HWND list = converter.Control(page.list);
            SendMessageW(list, LB_SETSEL, TRUE, 0);
            SendMessageW(list, LB_SETSEL, TRUE, 2);
            DeleteSelected(converter, page, byKey);
            EXPECT_EQ(converter.ListItems(page.list), (Names{files[1], files[3]})) << page.name;
            DeleteSelected(converter, page, byKey);
            EXPECT_EQ(converter.ListItems(page.list).size(), 2u) << page.name << ": nothing selected, nothing deleted";
            converter.Click(page.delAll);
            EXPECT_TRUE(converter.ListItems(page.list).empty()) << page.name;
        }
    }
}

// The open dialog hands back a folder and names when several files are chosen.
TEST(BatchList, AddDialogTakesSeveralFilesOnceEach) {
    Converter converter;
    for (const Page& page : kPages) {
        const Names files =
            MakeFiles({Named(L"primero", page.extension), Named(L"segundo con blanco", page.extension)});
        for (int round = 0; round < 2; ++round) {
            converter.PostClick(page.add);
            HWND dialog = converter.WaitForFileDialog();
            ASSERT_TRUE(dialog) << page.name;
            Converter::OpenFolderInFileDialog(dialog, testsupport::WorkDir());
            Converter::ChooseInFileDialog(dialog, L"\"" + Named(L"segundo con blanco", page.extension) + L"\" \"" +
                                                      Named(L"primero", page.extension) + L"\"");
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << page.name;
            converter.Settle();
        }
        EXPECT_EQ(converter.ListItems(page.list), (Names{files[1], files[0]})) << page.name;
    }
}

TEST(BatchList, CancelledAddDialogChangesNothing) {
    Converter converter;
    converter.DropFiles(IDC_MAIN_FILELIST, MakeFiles({L"queda.mp3"}));
    converter.PostClick(IDC_MAIN_ADDBTN);
    HWND dialog = converter.WaitForFileDialog();
    ASSERT_TRUE(dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    converter.Settle();
    EXPECT_EQ(converter.ListItems(IDC_MAIN_FILELIST), (Names{WorkFile(L"queda.mp3")}));
}

} // namespace
} // namespace uitest

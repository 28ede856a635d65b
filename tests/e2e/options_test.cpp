// The Options sheet from outside: its tabs reached by keys, OK keeping what every page holds (a page
// never opened included), Cancel nothing, and a page that refuses its values keeping the sheet
// open on it.
#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

// The index of the page the sheet shows; -1 when none shows.
int ShownPage(HWND sheet) {
    const std::vector<HWND> pages = yw::Pages(sheet);
    for (size_t page = 0; page < pages.size(); ++page)
        if (IsWindowVisible(pages[page]))
            return int(page);
    return -1;
}

bool Shows(HWND sheet, int page) {
    return yw::WaitUntil([&] { return ShownPage(sheet) == page; });
}

// Calm play is kept by OK alone: Ctrl+Tab and Ctrl+Shift+Tab walk round the four tabs, Cancel
// forgets a check, OK without a folder leaves the sheet open on Pictures and keeps nothing, and
// the keys alone (Ctrl+Shift+Tab to the last tab, its mnemonics, Enter) keep calm play and Say
// names aloud while the pages never opened keep the level and the players.
TEST_F(Journey, OptionsSheet) {
    ASSERT_TRUE(StartDealt(1));
    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    ASSERT_EQ(yw::Pages(dialog).size(), 4u) << "not a sheet of four pages";
    EXPECT_TRUE(Shows(dialog, 0));
    for (int page : {1, 2, 3, 0}) {
        yw::PressKey(VK_TAB, true);
        EXPECT_TRUE(Shows(dialog, page)) << "Ctrl+Tab did not reach page " << page;
    }
    yw::PressChord({VK_CONTROL, VK_SHIFT}, VK_TAB);
    EXPECT_TRUE(Shows(dialog, 3)) << "Ctrl+Shift+Tab did not go back to the last page";
    EXPECT_FALSE(yw::IsChecked(dialog, IDC_CALM));
    yw::Press(dialog, IDC_CALM);
    EXPECT_TRUE(yw::WaitUntil([&] { return yw::IsChecked(dialog, IDC_CALM); }));
    ASSERT_TRUE(Close(IDCANCEL));

    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    EXPECT_FALSE(yw::IsChecked(dialog, IDC_CALM)) << "calm play kept by Cancel";
    yw::Press(dialog, IDC_CALM);
    yw::SetItemText(dialog, IDC_PICTUREPATH, "");
    EXPECT_TRUE(Shows(dialog, 3));
    yw::Press(dialog, IDOK);
    EXPECT_TRUE(Shows(dialog, 0)) << "a sheet without a folder not turned to Pictures";
    ASSERT_TRUE(IsWindow(dialog)) << "a sheet without a folder closed";
    ASSERT_TRUE(Close(IDCANCEL));

    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    yw::PressChord({VK_CONTROL, VK_SHIFT}, VK_TAB);
    yw::PressChord({VK_MENU}, 'C');
    yw::PressChord({VK_MENU}, 'S');
    yw::PressKey(VK_RETURN);
    ASSERT_TRUE(yw::WaitUntil([this] { return !IsWindow(dialog); })) << "Enter did not close the sheet";
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(StoredLevel(1)) << "the pages never opened changed the level";
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Calm"), 1u) << "calm play not kept by its mnemonic and OK";
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "SayNames"), 1u) << "Say names aloud not kept by its mnemonic and OK";
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Players"), 1u);
}

} // namespace

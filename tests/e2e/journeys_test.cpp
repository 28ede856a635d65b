// The real Yorewind.exe played from outside as a player would: start-up, whole rounds, the menus.
// Clicks go through SendInput, the board is read from the screen, dialogs are read then pressed.
#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

// A first run asks for a folder, refuses one with too few pictures and asks again; once the
// folder holds enough, the chosen level is dealt, and Exit stores both settings.
TEST_F(Journey, StartUp) {
    AddPictures(false);
    ASSERT_TRUE(Start(2));
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no Options dialog on a first run";
    EXPECT_EQ(yw::ItemText(dialog, IDC_PICTUREPATH), "Where Do You Want to Go?");
    EXPECT_TRUE(yw::IsChecked(dialog, IDC_LEVEL_EASY));
    yw::SetItemText(dialog, IDC_PICTUREPATH, folder.Path());
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(Opened(0, "Yorewind. Error")) << "12 pictures taken as enough";
    EXPECT_EQ(yw::MessageText(dialog),
              "No enough images in the folder. \nAdd more pictures or change to another folder");
    ASSERT_TRUE(Close(IDOK));

    AddPictures(true);
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no Options dialog after too few pictures";
    yw::Press(dialog, IDC_LEVEL_NORMAL);
    yw::Press(dialog, IDOK);
    EXPECT_TRUE(WaitBoard({})) << "no 5 by 4 deal";
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(StoredLevel(2)) << "the settings not stored at Exit";
}

// Options changes the level for the next deal, which More makes, unless cancelled; About and
// Donate. The level survives a log-off: the session's end stores it, so a kill after it loses
// nothing. (Exit is the start-up journey's end.)
TEST_F(Journey, Menus) {
    ASSERT_TRUE(StartDealt(1));
    for (int button : {IDCANCEL, IDOK}) {
        ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind")) << "no Options dialog before " << button;
        EXPECT_EQ(yw::ItemText(dialog, IDC_PICTUREPATH), folder.Path());
        EXPECT_TRUE(yw::IsChecked(dialog, IDC_LEVEL_EASY)) << "the level changed by Cancel";
        yw::Press(dialog, button == IDOK ? IDC_LEVEL_HARD : IDC_LEVEL_VERYHARD);
        ASSERT_TRUE(Close(button));
    }
    PostMessageA(window, WM_COMMAND, IDM_MORE, 0);
    Layout(3);
    EXPECT_TRUE(WaitBoard({})) << "no 6 by 5 deal after More";
    ASSERT_TRUE(Opened(IDM_ABOUT, "Yorewind") && Close(IDOK)) << "no About box";
    ASSERT_TRUE(Opened(IDM_DONATE, "Donate") && Close(IDOK)) << "no Donate box";
    for (UINT message : {WM_QUERYENDSESSION, WM_ENDSESSION})
        SendMessageTimeoutA(window, message, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, yw::WaitMs, nullptr);
    TerminateProcess(game->Info.hProcess, 0);
    EXPECT_TRUE(StoredLevel(3)) << "the level not stored at the session's end";
}

// A polite close (a log-off, taskkill without /f) while start-up waits in the first-run dialog or
// under the too-few message ends the game with code 0 and the settings stored.
TEST_F(Journey, ClosingTheWindowDuringStartUp) {
    AddPictures(false);
    for (const char* caption : {"Yorewind", "Yorewind. Error"}) {
        ASSERT_TRUE(Start(1) && Opened(0, caption)) << caption;
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(game->EndedWell()) << "still running (or crashed) after a close under " << caption;
        EXPECT_NE(yw::StoredSettings(), "");
        yw::WriteSettings(folder.Path(), 1);
    }
}

} // namespace

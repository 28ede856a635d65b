// A picture that ended the game twice while it was read is left out: the game is killed at a slow
// picture whose read it has noted, as a crash in a decoder would end it.
#include "tests/e2e/Journey.h"

namespace {

class LeftOut : public Journey {
protected:
    // Starts the game on the folder and kills it once it reads the slow picture and nothing else
    // (the notes of the run killed before stay until the game has started).
    void KillWhileReadingSlow() {
        ASSERT_TRUE(Start(4));
        ASSERT_TRUE(yw::WaitUntil([&] { return yw::PicturesBeingRead(game->Id()) == std::vector<std::string>{slow}; }))
            << "the slow picture never read alone";
        TerminateProcess(game->Info.hProcess, 1);
        ASSERT_EQ(WaitForSingleObject(game->Info.hProcess, yw::WaitMs), WAIT_OBJECT_0);
    }

    // Statistics' line of the pictures left out.
    std::string LeftOutLine() { return yw::ItemText(dialog, IDC_LEFT_OUT); }

    const std::string slow = folder.File("slow.jpg");
};

// Level 4 deals 18 pictures, the fewest a folder may hold, and the folder holds 18: every start
// reads the slow one, and without it there are too few.
TEST_F(LeftOut, KilledTwiceAtAPictureLeavesItOutUntilLetInOrChanged) {
    AddPictures(true);
    const std::string aside = folder.File("ffffff.png");
    std::filesystem::remove(std::filesystem::u8path(aside));
    CopyIn("slow-picture.jpg", "slow.jpg");
    yw::WriteSettings(folder.Path(), 4);
    KillWhileReadingSlow();
    KillWhileReadingSlow();

    ASSERT_TRUE(Start(4));
    ASSERT_TRUE(Opened(0, "Yorewind. Error")) << "the slow picture dealt after two ends at it";
    EXPECT_EQ(yw::MessageText(dialog),
              "No enough images in the folder. \nAdd more pictures or change to another folder");
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no Options after too few pictures";
    CopyIn("test-pictures\\ffffff.png", "ffffff.png");
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(WaitBoard({}));

    SetForegroundWindow(window);
    yw::PressKey(VK_F4);
    ASSERT_TRUE(Opened(0, "Statistics"));
    EXPECT_EQ(LeftOutLine(), "1 picture left out after crashes");
    const HWND statistics = dialog;
    yw::Press(dialog, IDC_LET_BACK_IN);
    ASSERT_TRUE(yw::WaitUntil([&] { return (dialog = yw::WaitForDialog(game->Id(), "Statistics", 0)) != statistics; }))
        << "the pictures left out not named";
    EXPECT_NE(yw::MessageText(dialog).find("\n\n" + slow + "\n\n"), std::string::npos) << yw::MessageText(dialog);
    ASSERT_TRUE(Close(IDYES));
    dialog = statistics;
    EXPECT_TRUE(yw::WaitUntil([&] { return LeftOutLine() == "No pictures left out after crashes"; }));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LET_BACK_IN)));
    ASSERT_TRUE(Close(IDOK));
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(StoredLevel(4));

    // Let back in, it is read again, so that two more ends leave it out again; a new write time
    // takes it back.
    std::filesystem::remove(std::filesystem::u8path(aside));
    KillWhileReadingSlow();
    KillWhileReadingSlow();
    ASSERT_TRUE(Start(4));
    ASSERT_TRUE(Opened(0, "Yorewind. Error")) << "the slow picture dealt after two more ends at it";
    game.reset();
    std::filesystem::last_write_time(std::filesystem::u8path(slow), std::filesystem::file_time_type::clock::now());
    ASSERT_TRUE(Start(4));
    EXPECT_TRUE(yw::WaitUntil([&] {
        const std::vector<std::string> read = yw::PicturesBeingRead(game->Id());
        return std::find(read.begin(), read.end(), slow) != read.end();
    })) << "the changed picture left out";
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(StoredLevel(4));
    EXPECT_TRUE(yw::PicturesBeingRead().empty()) << "the game's own end left its notes";
}

} // namespace

// Start-up's scan of folder trees: Include subfolders on a tree with a hidden folder and a link
// back up, and the window living through a long scan. (The box's round trip is the players'.)
#include <cstring>

#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

// The build's trees (tests/make_trees.sh).
std::string Tree(const char* name) {
    return yw::ProgramFolder() + "\\picture-trees\\" + name;
}

// Six pictures at the top are too few; with the box on, the three nested folders make 18, and a
// level-4 deal shows each exactly once: none of the hidden folder's (another colour), none twice
// through the link back up.
TEST_F(Journey, SubfoldersOfATree) {
    AddPictures(true); // the colours of the tree's pictures
    yw::WriteSettings(Tree("tree"), 4);
    ASSERT_TRUE(Start(4));
    ASSERT_TRUE(Opened(0, "Yorewind. Error")) << "the six pictures at the top taken as enough";
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no Options dialog after too few pictures";
    EXPECT_FALSE(yw::IsChecked(dialog, IDC_SUBFOLDERS));
    yw::Press(dialog, IDC_SUBFOLDERS);
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(WaitBoard({})) << "no level-4 deal from the tree";
    ASSERT_GE(PlayRound(), 0) << "a card showed what the clicks did not ask, or another picture";
    EXPECT_EQ(PicturesSeen(), 18u) << "a picture dealt twice: the link back up was followed";
    ASSERT_TRUE(Opened(0, "Yorewind") && Close(IDNO));
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(game->EndedWell());
}

// The number found so far in the caption, or -1 when it shows no progress.
long Progress(HWND window) {
    const char prefix[] = "Looking for pictures: ";
    char caption[100] = "";
    GetWindowTextA(window, caption, sizeof(caption));
    return strncmp(caption, prefix, sizeof(prefix) - 1) == 0
               ? strtol(caption + sizeof(prefix) - 1, nullptr, 10)
               : -1;
}

// While a scan of 100,000 pictures goes on, the window shows its progress, answers, paints and
// moves; closing it ends the game within a second, the scan stopped.
TEST_F(Journey, WindowLivesThroughALongScan) {
    yw::WriteSettings(Tree("large"), 1);
    yw::WriteSettingNumber("Subfolders", 1);
    ASSERT_TRUE(Start(1));
    ASSERT_TRUE(yw::WaitUntil([this] { return Progress(window) >= 0; })) << "no progress: the window hangs";
    const long first = Progress(window);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &answer)) << "no answer";
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
    EXPECT_TRUE(yw::WaitUntil([this] { return !GetUpdateRect(window, nullptr, FALSE); }, 500))
        << "not painted";
    RECT before = {}, now = {};
    GetWindowRect(window, &before);
    SetWindowPos(window, nullptr, before.left + 40, before.top + 30, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    EXPECT_TRUE(
        yw::WaitUntil([&] { return GetWindowRect(window, &now) && now.left == before.left + 40; }, 500))
        << "not moved";
    EXPECT_TRUE(yw::WaitUntil([&] { return Progress(window) > first; }, 1000)) << "the count does not grow";
    ASSERT_GE(Progress(window), 0) << "the scan ended before the close: the tree is too small to tell";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(game->Info.hProcess, 1000), WAIT_OBJECT_0)
        << "still running 1 s after the close";
    EXPECT_TRUE(game->EndedWell());
}

} // namespace

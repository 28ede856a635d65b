// Start-up's scan of a large folder tree: the window lives through it. (Which folders a scan enters
// is the folder walk's unit test; the box's round trip is the players'.)
#include <cstring>

#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

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
    yw::WriteSettings(yw::ProgramFolder() + "\\picture-trees\\large", 1);
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

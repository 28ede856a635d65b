// The real main window: its class and style, the routing of its messages, its end, and the loop.
#include <gtest/gtest.h>

#include <thread>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "engine/MainLoop.h"
#include "game/GameState.h"
#include "game/NewRound.h"
#include "tests/win/WinTestSupport.h"

namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(game.Window(), nullptr);
        game.DealWithoutPictures(4);
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return SendMessageA(game.Window(), message, wParam, lParam);
    }

    ScopedGame game;
};

TEST_F(MainWindowTest, ClassAndWindowAreMadeAsTheGameNeedsThem) {
    HWND window = game.Window();
    // No CS_DBLCLKS: two quick clicks must arrive as two presses.
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & style, style);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(WindowText(window), "Yorewind");
    char className[64];
    GetClassNameA(window, className, sizeof(className));
    EXPECT_STREQ(className, "Yorewind");
    EXPECT_NE(GetMenu(window), nullptr);
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0u);
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICONSM), 0u);
}

TEST_F(MainWindowTest, ActivationDecidesWhetherTheLoopSleeps) {
    struct Case {
        WPARAM wParam;
        BOOL sleeping;
    };
    const Case cases[] = {
        {0, TRUE},                              // deactivated, not minimised
        {MAKEWPARAM(WA_ACTIVE, 0), FALSE},      // activated
        {MAKEWPARAM(WA_CLICKACTIVE, 0), FALSE}, // activated by a click
        {MAKEWPARAM(WA_INACTIVE, 1), FALSE},    // deactivated while minimised: frames go on
    };
    for (const Case& test : cases) {
        Engine->Sleeping = !test.sleeping;
        EXPECT_EQ(Send(WM_ACTIVATE, test.wParam, 0), 0);
        EXPECT_EQ(Engine->Sleeping, test.sleeping) << "wParam " << test.wParam;
    }
}

TEST_F(MainWindowTest, PressesReachTheGameAtTheirCellAndNothingElseDoes) {
    RECT client;
    GetClientRect(game.Window(), &client);
    const int pitchX = client.right / 6 + 4;
    const int pitchY = client.bottom / 6 + 4;

    // Releases, moves and double-click messages leave the game alone.
    const UINT ignored[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE, WM_MBUTTONDOWN};
    for (UINT message : ignored)
        EXPECT_EQ(Send(message, 0, MAKELPARAM(10, 10)), 0);
    EXPECT_TRUE(IsNone(FirstPick));

    EXPECT_EQ(Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 * pitchX + 1, 3 * pitchY + 1)), 0);
    EXPECT_EQ(FirstPick.Column, 2);
    EXPECT_EQ(FirstPick.Row, 3);

    // The right button plays exactly like the left.
    Cell other = {4, 1};
    if (Board[other.Column][other.Row] == Board[2][3])
        other = {4, 2};
    EXPECT_EQ(Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(other.Column * pitchX, other.Row * pitchY)), 0);
    EXPECT_EQ(Tries, 1);
    EXPECT_EQ(SecondPick.Column, other.Column);
    EXPECT_EQ(SecondPick.Row, other.Row);
}

TEST_F(MainWindowTest, DestroyingTheWindowStoresTheSettingsAndEndsTheEngine) {
    HWND window = game.Window();
    CopyPathText(PicturePath, "C:\\my pictures");
    Level = 3;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }

    DestroyWindow(window);
    EXPECT_EQ(Engine, nullptr);
    EXPECT_EQ(GameEngine::Instance, nullptr);
    for (ImageS* image : CardImages)
        EXPECT_EQ(image, nullptr);
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);

    CopyPathText(PicturePath, "");
    Level = 1;
    EXPECT_TRUE(LoadSettings());
    EXPECT_STREQ(PicturePath, "C:\\my pictures");
    EXPECT_EQ(Level, 3);

    // With the engine gone, messages get the default processing.
    HWND other =
        CreateWindowExA(0, "STATIC", "twelve chars", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(MainWndProc(other, WM_GETTEXTLENGTH, 0, 0), 12);
    EXPECT_EQ(MainWndProc(other, WM_LBUTTONDOWN, 0, 0), 0);
    DestroyWindow(other);
}

// Posts the quit message to the loop's thread after a while, from outside.
std::thread QuitLater(int code) {
    const DWORD loopThread = GetCurrentThreadId();
    return std::thread([loopThread, code] {
        Sleep(300);
        PostThreadMessageA(loopThread, WM_QUIT, static_cast<WPARAM>(code), 0);
    });
}

// Runs the loop until the quit code comes, keeping the device that the loop releases at its end
// so that the back buffer can still be read.
int RunLoopKeepingTheDevice(int code) {
    D3DDevice->AddRef();
    BackBuffer->AddRef();
    IDirect3DDevice9* device = D3DDevice;
    IDirect3DSurface9* backBuffer = BackBuffer;
    std::thread quit = QuitLater(code);
    const int result = RunMainLoop();
    quit.join();
    EXPECT_EQ(D3DDevice, nullptr) << "the loop releases the device at its end";
    D3DDevice = device;
    BackBuffer = backBuffer;
    return result;
}

TEST_F(MainWindowTest, AwakeLoopDrawsFramesAndEndsWithTheQuitCode) {
    Engine->Sleeping = FALSE;
    FillBackBuffer(0x123456);
    EXPECT_EQ(RunLoopKeepingTheDevice(7), 7);
    BackBufferPixels pixels;
    EXPECT_EQ(pixels.At(60, 50), 0xC483FFu) << "a frame shows the dealt card backs";
}

TEST_F(MainWindowTest, SleepingLoopDrawsNothingYetDispatches) {
    Engine->Sleeping = TRUE;
    FillBackBuffer(0x123456);
    PostMessageA(game.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(RunLoopKeepingTheDevice(3), 3);
    EXPECT_EQ(FirstPick.Column, 0) << "the press was dispatched while asleep";
    BackBufferPixels pixels;
    EXPECT_EQ(pixels.At(60, 50), 0x123456u) << "no frame while asleep";
}

} // namespace

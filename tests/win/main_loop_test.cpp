// The main loop on the real window and device: asleep it draws nothing yet dispatches every
// message; awake it draws. A timer on the loop's own thread watches and ends it.
#include <gtest/gtest.h>

#include <tuple>

#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "engine/MainLoop.h"
#include "game/GameState.h"
#include "game/NewRound.h"
#include "tests/win/WinTestSupport.h"

namespace {

const uint32_t Filler = 0x123456;
int Ticks = 0;  // since the loop began
int Picked = 0; // since the press reached the game
bool FrameSeen = false;

// Ends the loop at the second look after the posted press has reached the game: between two
// looks an awake loop has found its queue empty and drawn. Gives up after about three seconds.
void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
    FrameSeen = FrameSeen || BackBufferPixel(0, 0) != Filler;
    if ((!IsNone(FirstPick) && ++Picked == 2) || ++Ticks > 300)
        PostQuitMessage(7);
}

TEST(MainLoop, SleepsWhenDeactivatedAndWakesWhenActivated) {
    const WPARAM none = ~WPARAM(0);
    const WPARAM cases[][4] = {
        // Sleeping at the start, the WM_ACTIVATE posted (unless none), minimised after the press,
        // whether a frame is drawn.
        {TRUE, none, 0, 0},                       // asleep
        {FALSE, 0, 0, 0},                         // deactivated
        {TRUE, MAKEWPARAM(WA_ACTIVE, 0), 0, 1},   // activated
        {TRUE, MAKEWPARAM(WA_INACTIVE, 1), 0, 1}, // deactivated while minimised
        {FALSE, none, 1, 0},                      // minimised: nothing is drawn
    };
    for (const auto& c : cases) {
        ScopedGame game;
        PictureList.assign(18, "C:\\nowhere.bmp");
        NewRound();
        DeleteCardImages(); // the loop releases the device at its end, so no surface may outlive it
        Engine->Sleeping = static_cast<BOOL>(c[0]);
        if (c[1] != none)
            PostMessageA(Engine->Window, WM_ACTIVATE, c[1], 0);
        PostMessageA(Engine->Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        if (c[2])
            PostMessageA(Engine->Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        D3DDevice->ColorFill(BackBuffer, nullptr, 0xFF000000 | Filler);
        Ticks = Picked = 0;
        FrameSeen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, Watch);
        const int quit = RunMainLoop();
        KillTimer(nullptr, timer);
        // Quit code, press dispatched, frame drawn.
        EXPECT_EQ(std::make_tuple(quit, FirstPick.Column, FrameSeen), std::make_tuple(7, 0, c[3] == 1))
            << "case " << &c - cases;
    }
    PictureList.clear();
}

} // namespace

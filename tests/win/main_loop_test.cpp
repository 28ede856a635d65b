// The main loop on the real window and device: asleep it draws nothing yet dispatches every
// message; awake it draws. A timer on the loop's own thread watches and ends it.
#include <gtest/gtest.h>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/MainLoop.h"
#include "game/GameState.h"
#include "game/NewRound.h"
#include "tests/win/WinTestSupport.h"

namespace {

const uint32_t Filler = 0x123456;
int Ticks = 0;
bool FrameSeen = false;

// Ends the loop once the posted press has reached the game: by then the queue has been empty
// (timers come only then), so an awake loop has drawn. Gives up after about three seconds.
void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
    FrameSeen = FrameSeen || BackBufferPixels().At(1, 1) != Filler;
    if (!IsNone(FirstPick) || ++Ticks > 300)
        PostQuitMessage(7);
}

TEST(MainLoop, SleepsWhenDeactivatedAndWakesWhenActivated) {
    const struct {
        const char* Why;
        BOOL Sleeping;
        WPARAM Activation; // posted as WM_ACTIVATE unless ~0
        bool Frame;
    } cases[] = {
        {"asleep", TRUE, ~WPARAM(0), false},
        {"deactivated", FALSE, 0, false},
        {"activated", TRUE, MAKEWPARAM(WA_ACTIVE, 0), true},
        {"activated by a click", TRUE, MAKEWPARAM(WA_CLICKACTIVE, 0), true},
        {"deactivated while minimised", TRUE, MAKEWPARAM(WA_INACTIVE, 1), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Why);
        ScopedGame game;
        PictureList.assign(18, "C:\\nowhere.bmp");
        NewRound();
        DeleteCardImages(); // the loop releases the device at its end, so no surface outlives it
        Engine->Sleeping = c.Sleeping;
        if (c.Activation != ~WPARAM(0))
            PostMessageA(Engine->Window, WM_ACTIVATE, c.Activation, 0);
        PostMessageA(Engine->Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        FillBackBuffer(Filler);
        Ticks = 0;
        FrameSeen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, Watch);
        EXPECT_EQ(RunMainLoop(), 7);
        KillTimer(nullptr, timer);
        EXPECT_FALSE(IsNone(FirstPick)) << "the press was not dispatched";
        EXPECT_EQ(FrameSeen, c.Frame);
    }
}

} // namespace

#include "engine/MainLoop.h"

#include <windows.h>

#include "board/CardPictures.h"
#include "board/DeviceRecovery.h"
#include "board/LargeView.h"
#include "board/LargeViewDrawing.h"
#include "board/NewRound.h"
#include "board/RenderBoard.h"
#include "engine/FrameTiming.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"

namespace {

// A frame is drawn only for a change or a repaint, never while the window is inactive or
// minimised; an unchanged board costs nothing.
bool WantsFrame(const GameEngine* engine) {
    return engine != nullptr && engine->FrameWanted && !engine->Sleeping && !IsIconic(engine->Window) &&
           !DeviceLost;
}

// Frames come this often while a card turns: 60 a second.
const int MovingFrameMs = 16;

// A lost device is asked again this often; an idle board presents nothing that would tell.
const DWORD DeviceCheckMs = 250;

} // namespace

int RunMainLoop() {
    FrameClock clock;
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                break;
            // Accelerators are never translated here.
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        // Once the window is destroyed the engine is gone and WM_QUIT is on its way.
        GameEngine* engine = GameEngine::Instance;
        DWORD wait = INFINITE;
        if (engine != nullptr && DeviceLost) {
            if (RecoverLostDevice())
                engine->FrameWanted = TRUE;
            else
                wait = DeviceCheckMs;
        }
        if (WantsFrame(engine)) {
            const DWORD now = GetTickCount();
            wait = MillisecondsUntilDue(clock, now);
            if (wait == 0) {
                engine->FrameWanted = FALSE;
                if (LargeViewOpen())
                    RenderLargeView();
                else
                    RenderBoard();
                // Booked from before drawing, so drawing time counts against the frame delay; a
                // frame that started a card turning books the next one soon.
                ScheduleNextFrame(clock, now, BoardMoving() ? MovingFrameMs : engine->FrameDelay);
                // The board is on the screen: the idle cores make the next deal ready, and the
                // full screen's surfaces.
                PrepareNextRoundIfWanted();
                PrepareFullScreenBoard();
                continue;
            }
        }
        // Sleeps until a message arrives or the next frame is due.
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    ReleaseGraphics();
    return static_cast<int>(message.wParam);
}

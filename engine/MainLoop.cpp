#include "engine/MainLoop.h"

#include <windows.h>

#include "engine/FrameTiming.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "game/RenderBoard.h"

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
        const GameEngine* engine = GameEngine::Instance;
        if (engine == nullptr || engine->Sleeping) {
            WaitMessage();
            continue;
        }
        const DWORD now = GetTickCount();
        if (!IsFrameDue(clock, now))
            continue;
        ScheduleNextFrame(clock, now, engine->FrameDelay);
        RenderBoard();
    }
    ReleaseGraphics();
    return static_cast<int>(message.wParam);
}

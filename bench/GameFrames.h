// The game's own window and device in the benchmark's process, and a card's turn drawn there as the
// game's main loop draws it, timed frame by frame: each frame drawn, read back and copied onto the
// window.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/StartupData.h"
#include "bench/Measures.h"
#include "board/RenderBoard.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "rules/GameState.h"

// Gives the game's window a client of that size; the game resizes its back buffer and cards on the
// way.
inline void SetClient(int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, GetWindowLongA(Engine->Window, GWL_STYLE), TRUE,
                       GetWindowLongA(Engine->Window, GWL_EXSTYLE));
    SetWindowPos(Engine->Window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The game's own window and device, hidden, as start-up makes them.
inline bool StartGame() {
    lstrcpyA(AppClassName, "YorewindBench");
    Engine = new GameEngine(GetModuleHandleA(nullptr));
    return Engine->Initialize(SW_HIDE) && InitDirect3D(Engine->Window);
}

// The times of every frame of four cards each turning up and back on the board as it stands.
inline std::vector<double> TurningFrameTimes() {
    std::vector<double> times;
    for (int card = 0; card < 4; ++card) {
        for (const Cell pick : {Cell{card, 1}, NoCell}) {
            FirstPick = pick;
            do {
                const double start = Now();
                RenderBoard();
                times.push_back(Now() - start);
                // At the main loop's pace while a card turns, 16 ms from one frame's start to the next.
                Sleep(DWORD(std::max(0.0, 16 - times.back())));
            } while (BoardMoving());
        }
    }
    return times;
}

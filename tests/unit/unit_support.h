// Helpers shared by the unit tests.
#pragma once

#include <algorithm>
#include <string>

#include "engine/StretchClip.h"
#include "game/GameState.h"

// Rectangles compare as text, so a failure shows all four edges.
inline std::string Edges(const PixelRect& rect) {
    return std::to_string(rect.Left) + "," + std::to_string(rect.Top) + " to " + std::to_string(rect.Right) +
           "," + std::to_string(rect.Bottom);
}

// The game state is module-wide, so every test starts again from the state before the first deal.
inline void ResetGameState() {
    Rows = Columns = 4;
    std::fill(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, 0);
    std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 0);
    FirstPick = SecondPick = NoCell;
    Tries = PairsFound = 0;
}

// Helpers shared by the unit tests.
#pragma once

#include <algorithm>

#include "game/GameState.h"

// The game state is module-wide, so every test starts again from the state before the first deal.
inline void ResetGameState() {
    Rows = Columns = 4;
    std::fill(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, 0);
    std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 0);
    FirstPick = SecondPick = NoCell;
    Tries = PairsFound = 0;
}

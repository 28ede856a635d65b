// A level-1 deal in a known order for the rules' tests: cells counted column by column, cells 2k
// and 2k + 1 carry picture k + 1, so (c, 0) and (c, 1) are a pair. No card up, nothing counted.
#pragma once

#include <algorithm>

#include "rules/GameState.h"

inline void DealCardsInOrder(bool calm) {
    CalmRound = calm;
    Rows = Columns = 4;
    std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 0);
    FirstPick = SecondPick = NoCell;
    Tries = PairsFound = 0;
    for (int index = 0; index < 16; ++index)
        Board[index / 4][index % 4] = index / 2 + 1;
}

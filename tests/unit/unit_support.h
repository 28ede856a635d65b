// Helpers shared by the unit tests.
#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/StretchClip.h"
#include "game/GameState.h"
#include "game/RandomDraw.h"

// Rectangles compare as text, so a failure shows all four edges.
inline std::string Edges(const PixelRect& rect) {
    return std::to_string(rect.Left) + "," + std::to_string(rect.Top) + " to " + std::to_string(rect.Right) +
           "," + std::to_string(rect.Bottom);
}

// The game state is module-wide, so every test starts again from the state before the first deal.
inline void ResetGameState() {
    Rows = Columns = 4;
    CellWidth = CellHeight = 0;
    std::fill(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, 0);
    std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 0);
    FirstPick = SecondPick = NoCell;
    Tries = PairsFound = 0;
}

// Yields the scripted values, then rand()-like 15-bit values; counts every draw, since the order
// and number of draws decide what a deal looks like.
class ScriptedDraw {
public:
    explicit ScriptedDraw(std::vector<int> script = {}, unsigned seed = 1)
        : Script(std::move(script)), Generator(seed) {}
    RandomDraw Draw() {
        return [this]() -> int {
            const size_t index = Drawn++;
            return index < Script.size() ? Script[index] : static_cast<int>(Generator() & 0x7FFF);
        };
    }
    size_t Count() const { return Drawn; }

private:
    std::vector<int> Script;
    std::mt19937 Generator;
    size_t Drawn = 0;
};

#include "rules/Deal.h"

#include "rules/GameState.h"

namespace {

struct LevelGrid {
    int Rows;
    int Columns;
};

// Levels 1 to 4 keep the numbers they were stored with; the smaller and the larger boards came later.
const LevelGrid LevelGrids[LevelCount] = {{4, 4}, {5, 4}, {6, 5}, {6, 6}, {2, 3}, {3, 4}, {8, 8}};

} // namespace

const int LevelsBySize[LevelCount] = {5, 6, 1, 2, 3, 4, 7};

bool GridForLevel(int level, int* rows, int* columns) {
    if (level < 1 || level > LevelCount)
        return false;
    *rows = LevelGrids[level - 1].Rows;
    *columns = LevelGrids[level - 1].Columns;
    return true;
}

int PairsOfLevel(int level) {
    int rows = 0;
    int columns = 0;
    return GridForLevel(level, &rows, &columns) ? rows * columns / 2 : 0;
}

size_t PicturesForLevel(int level) {
    const size_t pairs = static_cast<size_t>(PairsOfLevel(level));
    return pairs > 18 ? pairs : 18;
}

int LevelOfGrid(int rows, int columns) {
    for (int level = 1; level <= LevelCount; ++level) {
        int levelRows = 0;
        int levelColumns = 0;
        if (GridForLevel(level, &levelRows, &levelColumns) && levelRows == rows && levelColumns == columns)
            return level;
    }
    return 0;
}

void ApplyLevel(int level) {
    int rows;
    int columns;
    if (GridForLevel(level, &rows, &columns)) {
        Rows = rows;
        Columns = columns;
    }
}

void DealPairs(const RandomDraw& draw) {
    for (int pass = 0; pass < 2; ++pass) {
        for (int number = 1; number <= PairCount(); ++number) {
            int column;
            int row;
            do {
                column = draw() % Columns;
                row = draw() % Rows;
            } while (Board[column][row] != 0);
            Board[column][row] = number;
            Side[column][row] = pass;
        }
    }
}

void ClearBoard() {
    for (auto& column : FaceUp)
        for (int& cell : column)
            cell = 0;
    for (auto& column : Board)
        for (int& cell : column)
            cell = 0;
    for (auto& column : Side)
        for (int& cell : column)
            cell = 0;
}

void ResetTry() {
    FirstPick = NoCell;
    SecondPick = NoCell;
    Tries = 0;
    PairsFound = 0;
    Focus = {0, 0};
}

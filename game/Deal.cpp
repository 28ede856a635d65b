#include "game/Deal.h"

#include "game/GameState.h"

namespace {

struct LevelGrid {
    int Rows;
    int Columns;
};

const LevelGrid LevelGrids[] = {{4, 4}, {5, 4}, {6, 5}, {6, 6}};

} // namespace

bool GridForLevel(int level, int* rows, int* columns) {
    if (level < 1 || level > 4)
        return false;
    *rows = LevelGrids[level - 1].Rows;
    *columns = LevelGrids[level - 1].Columns;
    return true;
}

int LevelOfGrid(int rows, int columns) {
    for (int level = 1; level <= 4; ++level) {
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
}

void ResetTry() {
    FirstPick = NoCell;
    SecondPick = NoCell;
    Tries = 0;
    PairsFound = 0;
    Focus = {0, 0};
}

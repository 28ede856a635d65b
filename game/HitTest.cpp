#include "game/HitTest.h"

bool HitTestCell(int x, int y, int clientWidth, int clientHeight, int columns, int rows, Cell* cell) {
    if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight)
        return false;
    cell->Column = x / (clientWidth / columns + 4);
    cell->Row = y / (clientHeight / rows + 4);
    return true;
}

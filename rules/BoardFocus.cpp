#include "rules/BoardFocus.h"

#include <algorithm>

Cell MoveFocus(const Cell& from, FocusMove move, int columns, int rows) {
    const int lastColumn = columns - 1, lastRow = rows - 1;
    Cell to = {std::clamp(from.Column, 0, lastColumn), std::clamp(from.Row, 0, lastRow)};
    switch (move) {
        case FocusMove::Left:
            to.Column = std::max(to.Column - 1, 0);
            break;
        case FocusMove::Right:
            to.Column = std::min(to.Column + 1, lastColumn);
            break;
        case FocusMove::Up:
            to.Row = std::max(to.Row - 1, 0);
            break;
        case FocusMove::Down:
            to.Row = std::min(to.Row + 1, lastRow);
            break;
        case FocusMove::RowStart:
            to.Column = 0;
            break;
        case FocusMove::RowEnd:
            to.Column = lastColumn;
            break;
        case FocusMove::BoardStart:
            to = {0, 0};
            break;
        case FocusMove::BoardEnd:
            to = {lastColumn, lastRow};
            break;
    }
    return to;
}

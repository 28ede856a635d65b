#include "rules/BoardFocus.h"

#include <gtest/gtest.h>

// On a grid of 5 columns by 4 rows (level 2): every move from the middle, against each edge, and
// from a cell a larger last deal left outside the grid.
TEST(BoardFocus, MovesStopAtTheEdges) {
    using M = FocusMove;
    const struct {
        Cell From;
        M Move;
        Cell To;
    } cases[] = {
        {{2, 1}, M::Left, {1, 1}},       {{2, 1}, M::Right, {3, 1}},    {{2, 1}, M::Up, {2, 0}},
        {{2, 1}, M::Down, {2, 2}},       {{2, 1}, M::RowStart, {0, 1}}, {{2, 1}, M::RowEnd, {4, 1}},
        {{2, 1}, M::BoardStart, {0, 0}}, {{2, 1}, M::BoardEnd, {4, 3}}, {{0, 2}, M::Left, {0, 2}},
        {{4, 2}, M::Right, {4, 2}},      {{3, 0}, M::Up, {3, 0}},       {{3, 3}, M::Down, {3, 3}},
        {{4, 3}, M::BoardEnd, {4, 3}},   {{5, 5}, M::Left, {3, 3}},     {{5, 5}, M::Up, {4, 2}},
    };
    for (const auto& c : cases) {
        const Cell to = MoveFocus(c.From, c.Move, 5, 4);
        EXPECT_TRUE(SameCell(to, c.To)) << c.From.Column << "," << c.From.Row << " move " << int(c.Move)
                                        << " gave " << to.Column << "," << to.Row;
    }
}

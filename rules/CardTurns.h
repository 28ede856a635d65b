// Cards that turn: what each cell of the board last showed, and the turns from that to what it shows
// now. The drawing follows the board; the rules never wait for it.
#pragma once

#include <cstdint>

#include "engine/StretchClip.h"
#include "rules/GameState.h"

// How long a card takes to turn: the side it showed narrows to its vertical centre line in the first
// half, its other side widens from it in the second.
const uint32_t CardTurnMs = 160;

// Where a card turning for `elapsed` ms is drawn within its place, and whether that is the side it
// turns to (else the one it turns from). Never wider than the place; a whole card at 0 and at the end.
PixelRect TurningCard(const PixelRect& place, uint32_t elapsed, bool* newSide);

// The cards of a board of up to MaxCells cells, numbered as the caller likes.
class CardTurns {
public:
    static constexpr int MaxCells = MaxGridSide * MaxGridSide;

    // Shows every cell as given, at once: a new deal, a board resumed, the end-of-round reveal.
    void ShowAtOnce(const int* shown, int count);
    // The cells now show `shown` (one card image a cell) at `now` (ms). A cell whose card changed turns
    // from what it showed, when animate says so; turns under way then end, as a new click or key
    // takes the drawing on to the board's new state.
    void Follow(const int* shown, int count, uint32_t now, bool animate);
    // Cell i at `now`: the card image to draw and where within its place; false when it is not turning
    // (draw its card whole).
    bool Turning(int i, uint32_t now, const PixelRect& place, int* image, PixelRect* drawn) const;
    // True while some card is still turning: frames are wanted until then.
    bool Moving(uint32_t now) const;

private:
    struct Cell {
        int Shown = -1;
        int From = -1;
        uint32_t Start = 0;
        bool Turning = false;
    };
    Cell Cells[MaxCells];
    int Count = 0;
};

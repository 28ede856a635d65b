#include "rules/CardGlow.h"

namespace {

int TimesSeen[MaxGridSide][MaxGridSide]; // [column][row]: turned up so far this round
bool Lit[MaxGridSide][MaxGridSide];

// The other card of the cell's pair; none when the grid has no such card.
Cell PartnerOf(const Cell& cell) {
    for (int column = 0; column < Columns; ++column)
        for (int row = 0; row < Rows; ++row)
            if ((column != cell.Column || row != cell.Row) && Board[column][row] == Board[cell.Column][cell.Row])
                return {column, row};
    return NoCell;
}

} // namespace

void ForgetSeenCards() {
    for (int column = 0; column < MaxGridSide; ++column)
        for (int row = 0; row < MaxGridSide; ++row) {
            TimesSeen[column][row] = 0;
            Lit[column][row] = false;
        }
}

void FollowSeenCard(const Cell& cell, const ClickOutcome& outcome) {
    // No cue, no card turned up: a found card, the try's first card again, or a miss turned back.
    if (!CalmRound || outcome.CueCount == 0 || IsNone(cell))
        return;
    const int seen = ++TimesSeen[cell.Column][cell.Row];
    if (seen < 2 || FaceUp[cell.Column][cell.Row] == 1)
        return;
    const Cell partner = PartnerOf(cell);
    if (!IsNone(partner) && TimesSeen[partner.Column][partner.Row] > 0)
        Lit[partner.Column][partner.Row] = true;
}

bool Glowing(const Cell& cell) {
    return Lit[cell.Column][cell.Row] && FaceUp[cell.Column][cell.Row] == 0;
}

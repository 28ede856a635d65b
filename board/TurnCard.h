// A card turned, whoever turned it: the one list of everything that follows, in order. Only the
// board's input (BoardInput) calls it, and nothing it calls turns a card.
#pragma once

#include "rules/GameState.h"

// Applies the rules of a try, scores and passes the turn, lights a calm round's help, runs the
// round's clock, lets the computer's memories see the card, waits to turn a calm round's miss back,
// plays the cues, tells screen readers which cards changed, updates the bar, shows a found pair large when asked to and, on the last pair, ends the round:
// the board revealed, the round counted and a new one offered.
void TurnCard(const Cell& cell);

// The game's input: a mouse press at a client point, or a card named by the keys or a screen reader.
#pragma once

#include "rules/GameState.h"

// Moves the focus to the card under the point, hides the keyboard's focus cue and turns the card;
// nothing while the computer plays.
void OnCellClick(int x, int y);

// The one way a card is turned, whoever asks: applies the rules of a try, plays the cues, tells
// screen readers which cards changed and, on the last pair, reveals the board and offers a new round.
void TurnCard(const Cell& cell);

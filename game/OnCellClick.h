// The game's whole input: a mouse press at a client point.
#pragma once

// Applies the rules of a try to the cell under the point, plays the cues and, on the last pair,
// reveals the board and offers a new round.
void OnCellClick(int x, int y);

// Drawing the board into the back buffer and presenting it.
#pragma once

// One frame: every dealt cell as its picture when found or picked, else as the card back. A card
// whose side changed since the last frame turns; frames are asked for until every turn has ended.
void RenderBoard();

// The end of a round: every dealt cell face up, drawn and presented at once.
void RenderReveal();

// The next frame shows the board as it stands, no card turning: a new deal, a board resumed.
void ShowBoardAtOnce();

// True while a card is turning.
bool BoardMoving();

// True from a frame of a turning card until a little after the turn's last frame, from any thread:
// the background work gives the cores way meanwhile. It lapses by itself, a window minimised
// mid-turn too.
bool BoardFramesComing();

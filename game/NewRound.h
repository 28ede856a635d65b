// Dealing a new board at the current level from the picture list.
#pragma once

#include <windows.h>

// The card back's colour, a light violet.
const DWORD CardBackColor = 0xFFC483FF;

// Shuffles the picture list, lays the grid out on the client area and deals every picture
// twice, face down. Draws nothing: the next frame shows the new board.
void NewRound();

// Deletes every card image and empties its slot.
void DeleteCardImages();

// The status bar under the board while two or more play: whose turn it is and every score. The
// board keeps its size above it: the window grows by the bar's height when it comes.

#pragma once

#include <windows.h>

// The part of the client the board is drawn on, clicked and located in: the whole client less
// the bar's strip, when the bar shows.
RECT BoardRect();

// At each deal: starts the round's players from the settings, and shows the bar for two or more
// players or hides it for one, before the deal lays the board out.
void SeatPlayers();

// After every try: the bar's texts. The bar is a polite live region: each change of its texts is
// announced to screen readers as a live-region change, a new turn also as a name change.
void ShowTurn();

// The main window's WM_SIZE: the bar follows the client's bottom edge.
void FitPlayersBar();

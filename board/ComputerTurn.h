// The computer's turns at the board, paced on the main window's timer so the window never waits:
// which card is due and when. The board's input turns it.
#pragma once

#include <windows.h>

#include "rules/GameState.h"
#include "rules/TryRules.h"

const UINT_PTR ComputerTimer = 1;

// At each deal: fresh memories for the computer's seats at the round's strength, and its first
// move planned when it starts the round.
void StartComputers();

// Every card turned, by anyone: what the computer's memories see of it, then its next move planned
// or, on a person's turn, none.
void FollowTurnedCard(const Cell& cell, const ClickOutcome& outcome);

// The main window's WM_TIMER of ComputerTimer: the card the computer turns now. None for a tick
// that is not its move's, on a person's turn, or while nobody could follow a move (a modal box is
// up, the window minimised), which waits and is tried again shortly.
Cell DueComputerCard();

// The computer's turns at the board, paced on the main window's timer so the window never waits.
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

// The computer is playing: the board is not the people's to click or key.
bool ComputersTurn();

// The main window's WM_TIMER of ComputerTimer: the computer's move, or a wait while a modal box is
// up or the window is minimised.
void OnComputerTimer();

// The pace of the computer's turn, slow enough for the people at the board to follow each card.
#pragma once

enum class ComputerMove { None, TurnBack, TurnCard };

struct ComputerStep {
    ComputerMove Move;
    int DelayMs; // from the moment described until the move
};

// The board as a deal or a try left it.
struct TurnMoment {
    bool ComputersTurn;
    bool RoundOver;
    bool MissUp;    // the last try's missed pair is still up
    bool PairFound; // the last card turned found a pair
};

// What the computer does next and after how long: nothing on a person's turn or a finished round;
// another player's missed pair stays up 1.0 s before it is turned back; 1.0 s after a pair it
// found before it goes on; 0.7 s before any other card.
ComputerStep NextComputerStep(const TurnMoment& moment);

// While the computer must wait (a modal dialog is up, the window minimised), its move is tried
// again this often.
const int HeldMoveRetryMs = 100;

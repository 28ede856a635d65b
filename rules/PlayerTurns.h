// Who plays: with two to four players at one board, whose turn it is, who found what, who won.
#pragma once

#include <vector>

#include "rules/GameState.h"
#include "rules/TryRules.h"

const int MaxPlayers = 4;

// The computer's strengths.
const int MinStrength = 1;
const int NormalStrength = 2;
const int MaxStrength = 3;

// The players of the round being played; numbered from 0.
struct PlayersRound {
    int Count;
    int Turn;    // whose try it is
    int Starter; // who had the round's first try; -1 before the run's first round
    int Scores[MaxPlayers];
    int Finders[CardImageCount]; // who found each picture number's pair; -1 not yet
    bool Computer[MaxPlayers];   // the seat is played by the computer, for the whole round
    int Strength;                // the computer's: 1 easy, 2 normal, 3 hard
};

extern PlayersRound Round;

// The computer plays the seat whose turn it is and a pair is left to find: the board is not the
// people's to click or key.
bool ComputersTurn();

// A new round for count players (1 to 4; anything else is one): started by the player after the
// one who started the last round, the first round by the first player. Scores and finders cleared;
// every seat a person's until the caller seats the computer.
void StartPlayersRound(PlayersRound* round, int count);

// After a try's click on the cell showing picture: a found pair scores for the player whose turn it
// is, who goes on (a calm round keeps no scores, only who found it); a miss ends the turn, so the
// next player's first click turns the pair back.
void FollowTry(PlayersRound* round, const ClickOutcome& outcome, int picture);

// The players with the highest score, in order: one is the winner, more tie.
std::vector<int> Leaders(const PlayersRound& round);

enum class EndText { Solo, Winner, Tie, WinnerMany, TieMany, Calm };

// Which question ends the round: one player's tries, or two players' winner with both scores or
// their tie, or with three or four the winner or tie followed by every score; a calm round's
// warm words, without a number or a winner.
EndText ChooseEndText(const PlayersRound& round);

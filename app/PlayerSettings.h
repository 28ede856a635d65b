// The settings of who plays and whether the game sounds, beside the folder and the level in the
// same registry key: "Players" (REG_DWORD 1 to 4), "Player1" to "Player4" (REG_SZ, at most 32
// characters), "Sound" (REG_DWORD, 0 off), "Computers" (REG_DWORD, bit 1 to bit 3: seats 2 to 4 are
// played by the computer), "Strength" (REG_DWORD, the computer's: 1 easy to 3 hard) and "StatusBar"
// (REG_DWORD 1: the bar shows for one player too).
#pragma once

#include <windows.h>

#include <string>

#include "rules/PlayerTurns.h"

extern int Players;                          // how many play, 1 to 4
extern std::wstring PlayerNames[MaxPlayers]; // as typed; empty stands for the default name
extern bool Sound;                           // the cues are played
extern int Computers;                        // bit S (1 to 3): seat S, numbered from 0, is the computer's
extern int Strength;                         // 1 easy, 2 normal, 3 hard
extern bool StatusBar;                       // the bar shows for one player too

// Whether the computer plays the seat (numbered from 0) in a round of count players: never the
// first seat, never alone.
bool IsComputerSeat(int seat, int count);
// The same for a set of seats `computers` in the bits of the setting.
bool ComputerSeat(int seat, int count, int computers);

// The computer plays a seat of the next round.
bool ComputerPlays();

// The name a seat goes by when none is typed, in a round of count players with those computers.
std::wstring DefaultPlayerName(int player, int count, int computers);

// A player's name as shown: the one typed, or "Player 1" to "Player 4"; a computer's seat
// "Computer", or with two or more of them "Computer 2" to "Computer 4" by seat.
std::wstring PlayerName(int player);

// From the open settings key; a value missing, of the wrong type, too long or without its
// terminating zero keeps the default.
void ReadPlayerSettings(HKEY key);
void WritePlayerSettings(HKEY key);

// The Sound item of the Settings menu shows the setting; the command turns it over.
void ShowSoundSetting(HWND window);
void ToggleSound(HWND window);

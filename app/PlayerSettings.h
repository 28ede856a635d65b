// The settings of who plays and whether the game sounds, beside the folder and the level in the
// same registry key: "Players" (REG_DWORD 1 to 4), "Player1" to "Player4" (REG_SZ, at most 32
// characters) and "Sound" (REG_DWORD, 0 off).
#pragma once

#include <windows.h>

#include <string>

#include "game/PlayerTurns.h"

extern int Players;                          // how many play, 1 to 4
extern std::wstring PlayerNames[MaxPlayers]; // as typed; empty stands for the default name
extern bool Sound;                           // the cues are played

// A player's name as shown: the one typed, or "Player 1" to "Player 4".
std::wstring PlayerName(int player);

// From the open settings key; a value missing, of the wrong type, too long or without its
// terminating zero keeps the default.
void ReadPlayerSettings(HKEY key);
void WritePlayerSettings(HKEY key);

// The Sound item of the Settings menu shows the setting; the command turns it over.
void ShowSoundSetting(HWND window);
void ToggleSound(HWND window);

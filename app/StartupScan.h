// Start-up's picture scan on a worker thread, while the window goes on living: it paints, moves,
// and closes at once, and what needs the picture list waits until start-up has dealt.
#pragma once

#include <windows.h>

// Fills PictureList as the settings ask, dispatching the window's messages meanwhile; a scan
// longer than half a second shows its progress. False when the window was closed meanwhile: the
// scan is then stopped and PictureList left empty.
bool ScanWhileWindowLives(HWND window);

// Until start-up has dealt (StartupUnderWay), a window message that needs the picture list is
// held back: true when it is. Clicks and keys on the board that is not there yet are dropped, More
// and F2 are the first deal itself, Options opens once start-up has dealt.
bool HoldUntilDealt(UINT message, WPARAM wParam);

// Start-up has dealt: the board and every command are the player's, and a held Options opens.
void ReleaseHeldInput(HWND window);

// Start-up opens Options itself (too few pictures): one held back is answered by it.
void ForgetHeldInput();

// The picture scan on a worker thread, while the window goes on living: it paints, moves, and
// closes at once, and what needs the picture list waits until start-up has dealt and while a scan
// runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/FolderWalk.h"

// Lists the pictures the request finds, dispatching the window's messages meanwhile; a scan
// longer than half a second shows its progress. False when the window was closed meanwhile: the
// scan is then stopped and the list left empty.
bool ScanWhileWindowLives(HWND window, const WalkRequest& request, std::vector<std::string>* pictures);

// Start-up has not dealt yet, or a scan runs: the picture list is being gathered.
bool GatheringPictures();

// While pictures are gathered, a window message that needs the picture list is held back: true
// when it is. Clicks and keys on a board about to go are dropped, More and F2 are the deal that
// follows, and Options opens once the gathering is over.
bool HoldUntilDealt(UINT message, WPARAM wParam);

// Start-up has dealt, or a scan is over: the board and every command are the player's, and a held
// Options opens.
void ReleaseHeldInput(HWND window);

// Start-up opens Options itself (too few pictures): one held back is answered by it.
void ForgetHeldInput();

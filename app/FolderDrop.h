// A folder, or pictures, dragged from Explorer and dropped on the board: played at once.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The window takes drops from now on: start-up has dealt.
void AcceptFolderDrops(HWND window);

// The folder of the first dropped item becomes the picture folder and is dealt when it holds enough
// pictures; else the player is told why and the board stays. Ignored while pictures are gathered
// or a box of the game's is open. Frees the drop.
void PlayDroppedFolder(HWND window, HDROP drop);

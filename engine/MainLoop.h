// The message loop of the running game.
#pragma once

// Dispatches every waiting message; with the queue empty, the window active and not minimised,
// draws a frame when the board changed or needs repainting, at most one per frame delay; else it
// sleeps until a message comes or the next frame is due. Ends on WM_QUIT, releases the device and
// returns the quit code.
int RunMainLoop();

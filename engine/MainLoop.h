// The message loop of the running game.
#pragma once

// Dispatches every waiting message; with the queue empty and the window active, draws a frame
// each time the frame delay has passed; while inactive, blocks until a message comes. Ends on
// WM_QUIT, releases the device and returns the quit code.
int RunMainLoop();

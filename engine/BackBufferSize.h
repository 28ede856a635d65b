// The size of the back buffer every frame is drawn on: the board's part of the client, in pixels,
// since the back buffer follows it; each frame is copied onto it 1:1.
#pragma once

extern int BackBufferWidth;
extern int BackBufferHeight;

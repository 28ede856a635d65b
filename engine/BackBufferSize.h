// The size of the back buffer every frame is drawn on: the client's size, in pixels, since the
// device follows the client; Present copies it 1:1.
#pragma once

extern int BackBufferWidth;
extern int BackBufferHeight;

// Drawing the board into the back buffer and presenting it.
#pragma once

// One frame: every dealt cell as its picture when found or picked, else as the card back.
void RenderBoard();

// The end of a round: every dealt cell face up, drawn and presented at once.
void RenderReveal();

// The round's clock kept by the window: started by the first card, stopped by the last pair, standing
// still while the window is minimised or one of the game's boxes holds it disabled.
#pragma once

#include <cstdint>

// A deal: a clock not yet started.
void ResetRoundTime();
// A card turned: the clock runs from the round's first.
void StartRoundTime();
// The last pair found.
void EndRoundTime();
// A resumed round goes on from its saved time.
void ResumeRoundTime(uint32_t seconds);

// WM_SIZE: minimised or not.
void FollowMinimised(bool minimised);
// WM_ENABLE: a dialog or message box of the game disables the window while it is open.
void FollowEnabled(bool enabled);
// A view over the board (a found picture large) holds the clock as a box does while it is open.
void HoldRoundTime();
void ReleaseRoundTime();

// The whole seconds counted so far.
uint32_t RoundSeconds();

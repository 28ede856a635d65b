// When a calm round's missed pair turns back by itself: 4 s after the miss showed, unless a click
// turned it back first.
#pragma once

#include <cstdint>

const uint32_t CalmTurnBackMs = 4000;

// A timer may tick a little before its time by the tick count's coarse steps; within this the
// turn-back is due.
const uint32_t TurnBackSlackMs = 16;

// What the wait for a turn-back does next: nothing to wait for, wait this long still, or turn now.
struct TurnBackStep {
    bool Waits;       // a miss of a calm round is up
    uint32_t DelayMs; // 0: due now
};

// From whether a calm round shows a miss, since when (ms), and the time now.
TurnBackStep NextTurnBack(bool calmMissUp, uint64_t missSince, uint64_t now);

// The round's time: from the first card turned to the last pair found, standing still while the
// window is minimised or a box of the game is open. Times are in milliseconds of a monotonic tick.
#pragma once

#include <cstdint>
#include <string>

struct RoundClock {
    uint64_t Counted;  // before the current run
    uint64_t RunSince; // the tick the current run began at
    bool Started;
    bool Ended;
    bool Minimised;
    int Boxes; // open dialogs and message boxes; a box may open another
};

// A new round's clock: not started, nothing counted; minimised as the window is.
void ResetClock(RoundClock* clock, bool minimised);

// The round's first card: the clock starts, unless it already has.
void StartClock(RoundClock* clock, uint64_t now);

// The last pair: the clock stops for good at what it shows.
void EndClock(RoundClock* clock, uint64_t now);

// A resumed round's clock: started, showing `milliseconds`.
void ResumeClock(RoundClock* clock, uint64_t milliseconds, uint64_t now);

void SetClockMinimised(RoundClock* clock, bool minimised, uint64_t now);
void OpenClockBox(RoundClock* clock, uint64_t now);
void CloseClockBox(RoundClock* clock, uint64_t now);

// The time counted so far.
uint64_t ClockMilliseconds(const RoundClock& clock, uint64_t now);

// The whole seconds counted so far, as the bar, the statistics and a kept round take them; at most
// what 32 bits hold.
uint32_t ClockSeconds(const RoundClock& clock, uint64_t now);

// Started, not ended, and nothing stopping it.
bool ClockRunning(const RoundClock& clock);

// Whole seconds as m:ss, or h:mm:ss from an hour on.
std::wstring FormatRoundTime(uint64_t seconds);

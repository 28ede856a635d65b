// When the main loop draws its next frame.
#pragma once

#include <cstdint>

// A frame is due when more than the frame delay has passed since the last one. Measuring the
// elapsed time by unsigned subtraction holds at any uptime: with the count's top bit set, across
// its wrap after 49.7 days, and after a sleep of weeks without frames. The first frame is at once.
struct FrameClock {
    bool Started = false;
    uint32_t LastFrameTick = 0;
    uint32_t Delay = 0;
};

bool IsFrameDue(const FrameClock& clock, uint32_t now);

// Books the next frame one delay after now; called before drawing so drawing time counts.
void ScheduleNextFrame(FrameClock& clock, uint32_t now, int frameDelay);

// How long the loop may sleep before the next frame is due: 0 when it is due now.
uint32_t MillisecondsUntilDue(const FrameClock& clock, uint32_t now);

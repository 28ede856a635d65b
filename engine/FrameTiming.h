// When the main loop draws its next frame.
#pragma once

#include <cstdint>

// A frame is due when the tick count is strictly later than the due tick. The difference is
// read as a signed 32-bit distance, so the test holds when the count's top bit is set and
// across the wrap after 49.7 days. The loop starts with no due tick: the first frame is at once.
struct FrameClock {
    bool Started = false;
    uint32_t NextFrameTick = 0;
};

bool IsFrameDue(const FrameClock& clock, uint32_t now);

// Books the next frame one delay after now; called before drawing so drawing time counts.
void ScheduleNextFrame(FrameClock& clock, uint32_t now, int frameDelay);

#include "engine/FrameTiming.h"

bool IsFrameDue(const FrameClock& clock, uint32_t now) {
    if (!clock.Started)
        return true;
    // Strictly greater: with a delay of 33 ms frames come 34 ms of tick count apart.
    return now - clock.LastFrameTick > clock.Delay;
}

void ScheduleNextFrame(FrameClock& clock, uint32_t now, int frameDelay) {
    clock.Started = true;
    clock.LastFrameTick = now;
    clock.Delay = static_cast<uint32_t>(frameDelay);
}

uint32_t MillisecondsUntilDue(const FrameClock& clock, uint32_t now) {
    if (IsFrameDue(clock, now))
        return 0;
    return clock.Delay + 1 - (now - clock.LastFrameTick);
}

#include "engine/FrameTiming.h"

bool IsFrameDue(const FrameClock& clock, uint32_t now) {
    if (!clock.Started)
        return true;
    // Unsigned subtraction wraps; as a signed distance it tells later from earlier.
    return static_cast<int32_t>(now - clock.NextFrameTick) > 0;
}

void ScheduleNextFrame(FrameClock& clock, uint32_t now, int frameDelay) {
    clock.Started = true;
    clock.NextFrameTick = now + static_cast<uint32_t>(frameDelay);
}

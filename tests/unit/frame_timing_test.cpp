#include "engine/FrameTiming.h"

#include <gtest/gtest.h>

// At any uptime, across the top bit and the 49.7-day wrap: the first frame comes at once, none
// before the delay has passed, and one after any sleep short of the wrap.
TEST(FrameTiming, DueAcrossTheWrapAndAfterLongSleeps) {
    const uint32_t day = 24u * 60 * 60 * 1000;
    for (uint32_t start : {0u, 1000u, 0x7FFFFFF0u, 0x80000000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
        FrameClock clock;
        EXPECT_TRUE(IsFrameDue(clock, start)) << start;
        ScheduleNextFrame(clock, start, 33);
        EXPECT_FALSE(IsFrameDue(clock, start + 20)) << start;
        // The loop sleeps exactly until the frame is due: a tick later than the delay.
        EXPECT_EQ(MillisecondsUntilDue(clock, start + 20), 14u) << start;
        EXPECT_EQ(MillisecondsUntilDue(clock, start + 34), 0u) << start;
        for (uint32_t gap : {40u, day, 0x7FFFFFFFu, 0x80000000u, 30 * day, 49 * day})
            EXPECT_TRUE(IsFrameDue(clock, start + gap)) << start << " asleep " << gap;
    }
}

#include "engine/FrameTiming.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace {

const int Delay = 33;

// Uptimes just before the places where a plain unsigned or signed comparison breaks.
const std::initializer_list<uint32_t> Uptimes = {0u,          1000u,       0x7FFFFFE0u, 0x7FFFFFFFu,
                                                 0x80000000u, 0xFFFFFFE0u, 0xFFFFFFFFu};

// The loop as it runs, polling every tick across the top bit and the wrap: the first frame comes
// at once; then a frame needs a tick strictly later than the due tick, so frames come exactly 34
// ticks apart, and never stop.
TEST(FrameTiming, PollingEveryTickGivesAFrameAtOnceThenEvery34Ticks) {
    for (uint32_t start : Uptimes) {
        FrameClock clock;
        EXPECT_TRUE(IsFrameDue(clock, start)) << "start " << start;
        uint32_t last = 0;
        uint32_t frames = 0;
        for (uint32_t now = start; now != start + 34 * 20; ++now) {
            if (!IsFrameDue(clock, now)) {
                // The loop sleeps exactly until the frame is due.
                EXPECT_EQ(now + MillisecondsUntilDue(clock, now), last + 34u);
                continue;
            }
            EXPECT_EQ(MillisecondsUntilDue(clock, now), 0u);
            if (frames++ > 0) {
                EXPECT_EQ(now - last, 34u) << "start " << start << ", now " << now;
            }
            ScheduleNextFrame(clock, now, Delay);
            last = now;
        }
        EXPECT_EQ(frames, 20u) << "start " << start;
    }
}

// While the window is inactive the loop waits for messages and reads no tick; when it wakes,
// however long it slept short of the 49.7-day wrap, a frame is due.
TEST(FrameTiming, FrameIsDueAfterALongSleep) {
    const uint32_t day = 24u * 60 * 60 * 1000;
    for (uint32_t start : Uptimes) {
        for (uint32_t gap : {34u, day, 0x7FFFFFFFu, 0x80000000u, 25 * day, 30 * day, 49 * day}) {
            FrameClock clock;
            ScheduleNextFrame(clock, start, Delay);
            EXPECT_TRUE(IsFrameDue(clock, start + gap)) << "start " << start << ", asleep " << gap << " ms";
        }
    }
}

} // namespace

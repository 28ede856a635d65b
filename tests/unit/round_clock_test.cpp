#include "rules/RoundClock.h"

#include <gtest/gtest.h>

namespace {

// Whole seconds as the bar and the statistics show them.
TEST(RoundClock, Format) {
    const struct {
        uint64_t Seconds;
        const wchar_t* Text;
    } cases[] = {{0, L"0:00"},        {5, L"0:05"},        {65, L"1:05"},         {599, L"9:59"},
                 {3599, L"59:59"},    {3600, L"1:00:00"},  {3661, L"1:01:01"},    {36000, L"10:00:00"},
                 {4294967295u, L"1193046:28:15"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatRoundTime(c.Seconds), c.Text) << c.Seconds;
}

// Each step at a tick, and the time the clock shows after it: it counts only from the first card,
// stands still while minimised or while any box is open (boxes nest), and stops at the last pair.
TEST(RoundClock, RunsOnlyWhileTheRoundIsPlayed) {
    enum Step { Start, Minimise, Restore, Open, Close, End };
    const struct {
        Step What;
        uint64_t At;
        uint64_t Shown;
    } steps[] = {
        {Minimise, 500, 0}, {Restore, 700, 0}, // before the first card nothing counts
        {Start, 1000, 0},   {Start, 1500, 500}, // a second card does not restart it
        {Minimise, 3000, 2000}, {Restore, 9000, 2000}, {Open, 10000, 3000}, {Open, 11000, 3000},
        {Close, 12000, 3000}, {Minimise, 12500, 3000}, {Close, 13000, 3000}, {Restore, 14000, 3000},
        {End, 15500, 4500},   {Open, 16000, 4500},     {Close, 20000, 4500},
    };
    RoundClock clock = {};
    ResetClock(&clock, false);
    for (const auto& s : steps) {
        switch (s.What) {
            case Start: StartClock(&clock, s.At); break;
            case Minimise: SetClockMinimised(&clock, true, s.At); break;
            case Restore: SetClockMinimised(&clock, false, s.At); break;
            case Open: OpenClockBox(&clock, s.At); break;
            case Close: CloseClockBox(&clock, s.At); break;
            case End: EndClock(&clock, s.At); break;
        }
        EXPECT_EQ(ClockMilliseconds(clock, s.At), s.Shown) << &s - steps;
        // What the clock shows between steps follows from whether it runs.
        EXPECT_EQ(ClockMilliseconds(clock, s.At + 100), s.Shown + (ClockRunning(clock) ? 100 : 0)) << &s - steps;
    }
    EXPECT_EQ(ClockMilliseconds(clock, 99999), 4500u);
}

// A resumed round goes on from its saved time; a window minimised at the deal keeps a new clock still.
TEST(RoundClock, ResumedAndMinimisedClocks) {
    RoundClock clock = {};
    ResetClock(&clock, false);
    ResumeClock(&clock, 65000, 100);
    EXPECT_EQ(ClockMilliseconds(clock, 1100), 66000u);
    ResetClock(&clock, true);
    StartClock(&clock, 2000);
    EXPECT_EQ(ClockMilliseconds(clock, 5000), 0u);
    SetClockMinimised(&clock, false, 6000);
    EXPECT_EQ(ClockMilliseconds(clock, 7000), 1000u);
}

} // namespace

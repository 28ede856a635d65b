#include "board/RoundTime.h"

#include <windows.h>

#include "board/StatusBar.h"
#include "engine/GameEngine.h"
#include "rules/GameState.h"

void ResetRoundTime() {
    ResetClock(&Clock, Engine != nullptr && IsIconic(Engine->Window));
    FollowRoundTime();
}

void StartRoundTime() {
    // A calm round keeps no time.
    if (CalmRound)
        return;
    StartClock(&Clock, GetTickCount64());
    FollowRoundTime();
}

void EndRoundTime() {
    EndClock(&Clock, GetTickCount64());
    FollowRoundTime();
}

void ResumeRoundTime(uint32_t seconds) {
    ResumeClock(&Clock, uint64_t(seconds) * 1000, GetTickCount64());
    FollowRoundTime();
}

void FollowMinimised(bool minimised) {
    if (minimised == Clock.Minimised)
        return;
    SetClockMinimised(&Clock, minimised, GetTickCount64());
    FollowRoundTime();
}

void FollowEnabled(bool enabled) {
    // Windows tells only a change, so one box or a box over a box both read as one.
    if (enabled)
        CloseClockBox(&Clock, GetTickCount64());
    else if (Clock.Boxes == 0)
        OpenClockBox(&Clock, GetTickCount64());
    FollowRoundTime();
}

void HoldRoundTime() {
    OpenClockBox(&Clock, GetTickCount64());
    FollowRoundTime();
}

void ReleaseRoundTime() {
    CloseClockBox(&Clock, GetTickCount64());
    FollowRoundTime();
}

uint32_t RoundSeconds() {
    return ClockSeconds(Clock, GetTickCount64());
}

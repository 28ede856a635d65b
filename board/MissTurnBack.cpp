#include "board/MissTurnBack.h"

#include "board/LargeView.h"
#include "engine/GameEngine.h"
#include "engine/WindowTimer.h"
#include "rules/GameState.h"
#include "rules/TurnBackTiming.h"

namespace {

// A turn-back held while nobody could see it is asked again after this long.
const UINT HeldRetryMs = 100;

WindowTimer Timer(TurnBackTimer);
uint64_t MissSince = 0;

bool CalmMissUp() {
    return CalmRound && !IsNone(SecondPick);
}

} // namespace

void FollowMiss() {
    if (!CalmMissUp()) {
        Timer.Stop();
        return;
    }
    // Any click turns a miss back before the next one can show, so a wait running is this miss's.
    if (Timer.Waiting())
        return;
    MissSince = GetTickCount64();
    Timer.Wait(CalmTurnBackMs);
}

bool MissTurnBackDue() {
    // A tick already queued when the wait was stopped is not the miss's.
    if (!Timer.Waiting())
        return false;
    const TurnBackStep step = NextTurnBack(CalmMissUp(), MissSince, GetTickCount64());
    if (!step.Waits) {
        Timer.Stop();
        return false;
    }
    if (step.DelayMs > 0) {
        Timer.Wait(step.DelayMs);
        return false;
    }
    if (IsIconic(Engine->Window) || !IsWindowEnabled(Engine->Window) || LargeViewOpen()) {
        Timer.Wait(HeldRetryMs);
        return false;
    }
    Timer.Stop();
    return true;
}

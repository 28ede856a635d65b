#include "rules/TurnBackTiming.h"

TurnBackStep NextTurnBack(bool calmMissUp, uint64_t missSince, uint64_t now) {
    if (!calmMissUp)
        return {false, 0};
    // A time before the miss, a stale one, waits the whole turn-back.
    const uint64_t waited = now >= missSince ? now - missSince : 0;
    if (waited + TurnBackSlackMs >= CalmTurnBackMs)
        return {true, 0};
    return {true, static_cast<uint32_t>(CalmTurnBackMs - waited)};
}

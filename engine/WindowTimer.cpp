#include "engine/WindowTimer.h"

#include "engine/GameEngine.h"
#include "engine/ObjectCounts.h"

void WindowTimer::Wait(UINT ms) {
    SetTimer(Engine->Window, Id, ms, nullptr);
    if (!Set)
        CountMade(Counted::Timer);
    Set = true;
}

void WindowTimer::Stop() {
    if (!Set)
        return;
    KillTimer(Engine->Window, Id);
    CountFreed(Counted::Timer);
    Set = false;
}

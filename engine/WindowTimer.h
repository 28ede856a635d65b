// A timer of the main window that is either set or not, and counted among the game's live timers
// while it is: a wait booked anew replaces the one running.
#pragma once

#include <windows.h>

class WindowTimer {
public:
    explicit WindowTimer(UINT_PTR id) : Id(id) {}
    // Sets the timer to tick in ms, or books it anew when it is set.
    void Wait(UINT ms);
    // Kills the timer; nothing when it is not set.
    void Stop();
    bool Waiting() const { return Set; }

private:
    UINT_PTR Id;
    bool Set = false;
};

// A calm round's missed pair turns back by itself, 4 s after it showed (rules/TurnBackTiming.h), on
// the window's timer. The timer is set only while such a miss is up, so a board at rest has none.
#pragma once

#include <windows.h>

const UINT_PTR TurnBackTimer = 4;

// After a try or a deal: starts the wait when a calm round's miss has just shown, stops it when no
// miss is up any more (a click turned it back, a deal came).
void FollowMiss();

// The main window's WM_TIMER of TurnBackTimer: true when the miss is due to turn back now. Earlier,
// or while nobody could see it turn (minimised, under a box or the large view), the wait goes on.
bool MissTurnBackDue();

// The rules of a try: turn a first card, turn a second and judge the pair, turn a miss back.
#pragma once

#include "rules/GameState.h"

enum class Cue { Turn, Match, Miss, Complete };

struct ClickOutcome {
    Cue Cues[2]; // in the order they are played
    int CueCount;
    bool RoundEnded; // this click found the last pair
};

// Applies a click on a dealt cell to the game state. A found cell ignores the click; so does
// the first card of the try. A missed pair stays up until a click elsewhere turns it back,
// and that click turns nothing up.
// A calm round counts no tries.
ClickOutcome ApplyClick(const Cell& cell);

// A calm round plays no sound for a miss; every other cue is heard.
bool CueHeard(Cue cue);

// The computer at the board: a memory of the cards it saw turned up, kept and lost as a person's, and
// its choice of the next card from that memory alone.
#pragma once

#include <vector>

#include "rules/GameState.h"
#include "rules/RandomDraw.h"
#include "rules/TryRules.h"

// How well a player remembers: the chance, in percent, that a card seen is kept, and how many cards
// are kept at once.
struct MemoryShape {
    int KeepPercent;
    int Capacity;
};

// The shape of each strength, 1 easy to 3 hard; anything else is normal.
MemoryShape StrengthMemory(int strength);

// The cards a player remembers, oldest first.
class CardMemory {
public:
    explicit CardMemory(MemoryShape shape = {0, 0});

    // A card seen as it was turned up: kept with the shape's chance, as the newest; a full memory
    // forgets its oldest card first.
    void See(const Cell& cell, int picture, const RandomDraw& draw);

    // A found pair leaves the memory.
    void Forget(int picture);

    // The picture remembered at the cell; 0 for a card not remembered.
    int PictureAt(const Cell& cell) const;

    // A remembered card of the picture other than the one given; none if there is none.
    Cell OtherCard(int picture, const Cell& besides) const;

    // Two remembered cards of one picture, the first of them; none if it knows no pair.
    Cell KnownPair() const;

    int Size() const;

private:
    struct Seen {
        Cell Where;
        int Picture;
    };
    MemoryShape Shape;
    std::vector<Seen> Cards;
};

// What the memories of every seat learn from a card turned by anyone: a card that went up is seen
// (its picture is on the screen now), a found pair leaves every memory.
void WatchTurn(CardMemory* memories, int count, const Cell& cell, const ClickOutcome& outcome,
               const RandomDraw& draw);

// The card the computer turns next, from the board's state and its memory alone: the missed pair of
// the last try back first; a remembered pair; the mate of its first card when it remembers one;
// else a card it does not know, and a known card only when none is left.
Cell ChooseCard(const CardMemory& memory, const RandomDraw& draw);

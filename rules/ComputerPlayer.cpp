#include "rules/ComputerPlayer.h"

#include <algorithm>

namespace {

// Cards a memory may hold at most: the largest board.
const int MaxCapacity = MaxGridSide * MaxGridSide;

bool Chance(int percent, const RandomDraw& draw) {
    return percent > 0 && (percent >= 100 || draw() % 100 < percent);
}

bool InPlay(const Cell& cell) {
    return FaceUp[cell.Column][cell.Row] == 0 && !SameCell(cell, FirstPick);
}

// The cards still face down that the memory does or does not know, row by row.
std::vector<Cell> FaceDown(const CardMemory& memory, bool known) {
    std::vector<Cell> cells;
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column) {
            const Cell cell = {column, row};
            if (InPlay(cell) && (memory.PictureAt(cell) != 0) == known)
                cells.push_back(cell);
        }
    return cells;
}

Cell AnyOf(const std::vector<Cell>& cells, const RandomDraw& draw) {
    return cells.empty() ? NoCell : cells[static_cast<size_t>(draw()) % cells.size()];
}

} // namespace

MemoryShape StrengthMemory(int strength) {
    switch (strength) {
        case 1:
            return {30, 3};
        case 3:
            return {95, 24};
        default:
            return {70, 10};
    }
}

CardMemory::CardMemory(MemoryShape shape)
    : Shape{std::clamp(shape.KeepPercent, 0, 100), std::clamp(shape.Capacity, 0, MaxCapacity)} {}

void CardMemory::See(const Cell& cell, int picture, const RandomDraw& draw) {
    if (picture <= 0 || !Chance(Shape.KeepPercent, draw) || Shape.Capacity == 0)
        return;
    Cards.erase(std::remove_if(Cards.begin(), Cards.end(),
                               [&](const Seen& seen) { return SameCell(seen.Where, cell); }),
                Cards.end());
    if (static_cast<int>(Cards.size()) == Shape.Capacity)
        Cards.erase(Cards.begin());
    Cards.push_back({cell, picture});
}

void CardMemory::Forget(int picture) {
    Cards.erase(
        std::remove_if(Cards.begin(), Cards.end(), [&](const Seen& seen) { return seen.Picture == picture; }),
        Cards.end());
}

int CardMemory::PictureAt(const Cell& cell) const {
    for (const Seen& seen : Cards)
        if (SameCell(seen.Where, cell))
            return seen.Picture;
    return 0;
}

Cell CardMemory::OtherCard(int picture, const Cell& besides) const {
    for (const Seen& seen : Cards)
        if (seen.Picture == picture && !SameCell(seen.Where, besides))
            return seen.Where;
    return NoCell;
}

Cell CardMemory::KnownPair() const {
    for (const Seen& seen : Cards)
        if (!IsNone(OtherCard(seen.Picture, seen.Where)))
            return seen.Where;
    return NoCell;
}

int CardMemory::Size() const {
    return static_cast<int>(Cards.size());
}

void WatchTurn(CardMemory* memories, int count, const Cell& cell, const ClickOutcome& outcome,
               const RandomDraw& draw) {
    const int picture = Board[cell.Column][cell.Row];
    for (int i = 0; i < outcome.CueCount; ++i)
        for (int seat = 0; seat < count; ++seat) {
            if (outcome.Cues[i] == Cue::Turn)
                memories[seat].See(cell, picture, draw);
            else if (outcome.Cues[i] == Cue::Match)
                memories[seat].Forget(picture);
        }
}

Cell ChooseCard(const CardMemory& memory, const RandomDraw& draw) {
    if (!IsNone(SecondPick))
        return SecondPick;
    if (IsNone(FirstPick)) {
        const Cell pair = memory.KnownPair();
        if (!IsNone(pair) && InPlay(pair))
            return pair;
    } else {
        // The first card is up: its picture is on the screen.
        const Cell mate = memory.OtherCard(Board[FirstPick.Column][FirstPick.Row], FirstPick);
        if (!IsNone(mate) && InPlay(mate))
            return mate;
    }
    const std::vector<Cell> unknown = FaceDown(memory, false);
    return unknown.empty() ? AnyOf(FaceDown(memory, true), draw) : AnyOf(unknown, draw);
}

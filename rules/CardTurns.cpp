#include "rules/CardTurns.h"

#include <algorithm>

PixelRect TurningCard(const PixelRect& place, uint32_t elapsed, bool* newSide) {
    const uint32_t half = CardTurnMs / 2;
    *newSide = elapsed >= half;
    if (elapsed >= CardTurnMs)
        return place;
    // The visible width falls from whole to nothing over the first half and grows back over the second.
    const uint32_t fromEdge = *newSide ? CardTurnMs - elapsed : elapsed;
    const int width = place.Right - place.Left;
    const int shown = width - int(int64_t(width) * fromEdge / half);
    const int left = place.Left + (width - shown) / 2;
    return {left, place.Top, left + shown, place.Bottom};
}

void CardTurns::ShowAtOnce(const int* shown, int count) {
    Count = std::clamp(count, 0, MaxCells);
    for (int i = 0; i < Count; ++i)
        Cells[i] = {shown[i], shown[i], 0, false};
}

void CardTurns::Follow(const int* shown, int count, uint32_t now, bool animate) {
    if (count != Count) {
        ShowAtOnce(shown, count);
        return;
    }
    bool changed = false;
    for (int i = 0; i < Count; ++i)
        changed = changed || Cells[i].Shown != shown[i];
    if (!changed)
        return;
    for (int i = 0; i < Count; ++i) {
        Cell& cell = Cells[i];
        const bool turns = animate && cell.Shown != shown[i];
        cell = {shown[i], cell.Shown, now, turns};
    }
}

bool CardTurns::Turning(int i, uint32_t now, const PixelRect& place, int* image, PixelRect* drawn) const {
    if (i < 0 || i >= Count || !Cells[i].Turning || now - Cells[i].Start >= CardTurnMs)
        return false;
    bool newSide = false;
    *drawn = TurningCard(place, now - Cells[i].Start, &newSide);
    *image = newSide ? Cells[i].Shown : Cells[i].From;
    return true;
}

bool CardTurns::Moving(uint32_t now) const {
    for (int i = 0; i < Count; ++i) {
        if (Cells[i].Turning && now - Cells[i].Start < CardTurnMs)
            return true;
    }
    return false;
}

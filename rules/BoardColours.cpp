#include "rules/BoardColours.h"

namespace {

const uint32_t SeatColours[] = {0x0072B2, 0xE69F00, 0x009E73, 0xCC79A7};

// The game's own: a black table, violet card backs.
const uint32_t GameBackground = 0x000000;
const uint32_t GameCardBack = 0xC483FF;
const uint32_t GameText = 0xFFFFFF;

} // namespace

uint32_t SeatColour(int seat) {
    return seat >= 0 && seat < 4 ? SeatColours[seat] : SeatColours[0];
}

BoardColours ChooseBoardColours(bool highContrast, const SystemColours& system) {
    if (!highContrast)
        return {GameBackground, GameCardBack, false, 0, false, 0, false, 0, GameText};
    return {system.Window,    system.ButtonFace, true, system.ButtonText, true,
            system.Highlight, true,              system.HotLight, system.WindowText};
}

bool FoundFrameColour(const BoardColours& colours, int players, int finder, uint32_t* colour) {
    if (players < 2 || finder < 0 || finder >= players)
        return false;
    *colour = colours.FoundInSystemColour ? colours.Found : SeatColour(finder);
    return true;
}

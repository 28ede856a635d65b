// The board's colours: the game's own, or the system's while high contrast is on; and the colour
// each seat marks its found pairs with. Colours are 0x00RRGGBB.
#pragma once

#include <cstdint>

// Blue, orange, bluish green and reddish purple: told apart with every kind of colour blindness.
uint32_t SeatColour(int seat);

// The system colours the board takes under high contrast.
struct SystemColours {
    uint32_t Window;
    uint32_t ButtonFace;
    uint32_t ButtonText;
    uint32_t Highlight;
    uint32_t HotLight;
    uint32_t WindowText;
};

struct BoardColours {
    uint32_t Background;
    uint32_t CardBack;
    bool CardBackFramed; // a frame of CardBackFrame around each card back
    uint32_t CardBackFrame;
    bool FocusInSystemColour; // the focus frame one colour, Focus, instead of the game's dark and light
    uint32_t Focus;
    bool FoundInSystemColour; // every found pair framed in Found rather than its finder's colour
    uint32_t Found;
    uint32_t Text; // a caption on the background
};

BoardColours ChooseBoardColours(bool highContrast, const SystemColours& system);

// The frame of a pair found by seat `finder` while `players` play: none (false) for one player or
// for a pair nobody found.
bool FoundFrameColour(const BoardColours& colours, int players, int finder, uint32_t* colour);

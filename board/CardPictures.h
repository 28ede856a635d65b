// The cards' surfaces, the dealt pictures kept decoded so that cards are remade at a new size
// without reading the files again, and the making of the cards at the back buffer's card size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/PictureCrop.h"
#include "rules/CellGeometry.h"
#include "rules/GameState.h"

class PictureSurface;

// The card back's colour, a light violet.
const uint32_t CardBackColor = 0xFFC483FF;

// A dealt picture at the largest size its card can take on the window's monitor: cards of any
// smaller window are scaled down from it, cut to their shape as the deal's fit said. Empty pixels:
// the picture did not decode.
struct KeptPicture {
    std::string Path;
    int Width = 0;
    int Height = 0;
    CardFraming Framing; // the part of the picture the card shows
    std::vector<uint32_t> Pixels;
    std::string Taken; // the day it was taken, "YYYY-MM-DD", as the picture says; empty when it does not
    std::string Name;  // its name as a name card gives it (rules/NameRules.h), UTF-8; empty when it has none
    std::string Title; // its own name, UTF-8: the title it carries, else its file name (rules/CardTitles.h)
    std::string Person;              // the person of it the card shows, UTF-8; empty: the picture as a whole
    std::vector<std::string> People; // the people its tags name in order of trust, then the index; UTF-8
    bool FacesSought = false;        // the faces the game finds are in Framing
};

// Entry n holds the picture of number n; entry 0 (the card back) stays empty.
extern KeptPicture KeptPictures[CardImageCount];

// The size to keep pictures at: the largest card of the board on the window's monitor, or on the
// back buffer when that is larger still (a window spanning monitors).
PixelSize KeptCardSize();

// The cards' surfaces, indexed by card image (CardBackIndex, a pair's faces); null where there is none.
extern PictureSurface* CardImages[CardImageCount];

// Deletes every card image and empties its slot.
void DeleteCardImages();

// Makes the card back and the card of every kept picture at the board's largest card size on the
// back buffer, replacing the cards there were. A picture kept smaller than that is decoded again
// at the kept size first, stopped as a deal's decodes are (a close, the CPU budget), its card then
// scaled up from what was kept. The scaling and decoding run on worker threads. In a calm round a
// picture's card carries its name (board/CardCaptions.h).
void MakeCards();

// Makes the card of the kept picture of number face again, at the size of the cards there are.
void RemakeCard(int face);

// Makes the cards again when they were made for another size of the back buffer than it has now.
void RemakeStaleCards();

// The back buffer follows the board's part of the client: after a size change (none while
// minimised) the device is reset at the board's size and the cards are made again for it.
void FitBackBufferToClient();

// Makes ahead the board's surfaces for the full screen on the window's monitor (PrepareBoardSurfaces).
void PrepareFullScreenBoard();

#include "game/NewRound.h"

#include <cstdlib>
#include <utility>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/ImageS.h"
#include "game/BoardAccessible.h"
#include "game/CardNames.h"
#include "game/CellGeometry.h"
#include "game/Deal.h"
#include "game/DealPictures.h"
#include "game/GameState.h"
#include "game/Shuffle.h"

namespace {

// Set by a deal, cleared once the next one is being prepared.
bool PreparationWanted = false;

} // namespace

void DeleteCardImages() {
    for (ImageS*& image : CardImages) {
        delete image;
        image = nullptr;
    }
}

void NewRound() {
    PreparedDeal prepared;
    if (TakePreparedDeal(PictureList, &prepared))
        DealRound(prepared.Seed, &prepared);
    else
        DealRound(GetTickCount(), nullptr);
}

void DealRound(unsigned seed, PreparedDeal* prepared) {
    // Every deal seeds afresh; all its draws come from this seed, in a fixed order.
    srand(seed);
    const RandomDraw draw = [] { return rand(); };
    if (!PictureList.empty())
        ShuffleList(PictureList, draw);

    ApplyLevel(Level);
    DeleteCardImages();

    RECT client;
    GetClientRect(Engine->Window, &client);
    const DealClient size = ClampDealClient(client.right, client.bottom);
    CellWidth = CellPitch(size.Width, Columns);
    CellHeight = CellPitch(size.Height, Rows);

    // Cards are made the size they are drawn, the cell less its gap, so the copy is 1:1.
    const int cardWidth = CellWidth - CardGap;
    const int cardHeight = CellHeight - CardGap;
    CardImages[CardBackIndex] = new ImageS(cardWidth, cardHeight, static_cast<D3DCOLOR>(CardBackColor));
    // A picture that does not decode gives way to the next one of the list; only when the list
    // runs out do the remaining pairs stay blank.
    const size_t pairs = static_cast<size_t>(PairCount());
    std::vector<DecodedPicture> pictures;
    // A preparation decodes for the largest board, so it holds the first pictures of any level.
    if (prepared != nullptr && prepared->Width == cardWidth && prepared->Height == cardHeight)
        pictures = std::move(prepared->Pictures);
    else
        pictures = DecodeDealtPictures(PictureList, pairs, cardWidth, cardHeight);
    TitleCards(PictureList, pictures);
    pictures.resize(pairs);
    for (int number = 1; number <= PairCount(); ++number)
        CardImages[number] = new ImageS(cardWidth, cardHeight, std::move(pictures[number - 1].Pixels));

    ClearBoard();
    DealPairs(draw);
    ResetTry();
    Engine->FrameWanted = TRUE;
    AnnounceDeal();
    PreparationWanted = true;
}

void PrepareNextRoundIfWanted() {
    if (!PreparationWanted)
        return;
    PreparationWanted = false;
    PrepareNextDeal(PictureList, static_cast<size_t>(MaxPairs), CellWidth - CardGap, CellHeight - CardGap);
}

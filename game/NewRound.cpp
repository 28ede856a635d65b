#include "game/NewRound.h"

#include <cstdlib>
#include <utility>

#include "app/RoundStore.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/Dpi.h"
#include "engine/GameEngine.h"
#include "engine/ImageS.h"
#include "game/BoardAccessible.h"
#include "game/CardNames.h"
#include "game/CardPictures.h"
#include "game/CellGeometry.h"
#include "game/ComputerTurn.h"
#include "game/Deal.h"
#include "game/DealPictures.h"
#include "game/GameState.h"
#include "game/PlayersBar.h"
#include "game/RenderBoard.h"
#include "game/RoundTime.h"
#include "game/Shuffle.h"

namespace {

// Set by a deal, cleared once the next one is being prepared.
bool PreparationWanted = false;

} // namespace

PictureFit DealtFit() {
    return Fit == 1 ? PictureFit::KeepShape : PictureFit::Stretch;
}

void DeleteCardImages() {
    for (ImageS*& image : CardImages) {
        delete image;
        image = nullptr;
    }
}

void LayOutCells() {
    // The layout takes the board's part of the client in 96-DPI units, so a board looks alike at
    // every DPI.
    const RECT client = BoardRect();
    const int dpi = static_cast<int>(WindowDpi(Engine->Window));
    const DealClient size =
        ClampDealClient(MulDiv(client.right, StandardDpi, dpi), MulDiv(client.bottom, StandardDpi, dpi));
    CellWidth = CellPitch(size.Width, Columns);
    CellHeight = CellPitch(size.Height, Rows);
}

void KeepDealtPictures(const std::vector<std::string>& list, std::vector<DecodedPicture>* pictures,
                       PixelSize kept, PictureFit fit) {
    TitleCards(list, *pictures);
    pictures->resize(static_cast<size_t>(PairCount()));
    for (KeptPicture& picture : KeptPictures)
        picture = KeptPicture();
    for (int number = 1; number <= PairCount(); ++number) {
        DecodedPicture& decoded = (*pictures)[number - 1];
        KeptPicture& picture = KeptPictures[number];
        if (decoded.Pixels.empty())
            continue;
        picture.Path = list[decoded.Entry];
        picture.Width = kept.Width;
        picture.Height = kept.Height;
        picture.Fit = fit;
        picture.Pixels = std::move(decoded.Pixels);
    }
    MakeCards();
}

void ShowNewBoard() {
    ShowTurn();
    ShowBoardAtOnce();
    Engine->FrameWanted = TRUE;
    AnnounceDeal();
    StartComputers();
    PreparationWanted = true;
}

void NewRound() {
    PreparedDeal prepared;
    int rows = Rows;
    int columns = Columns;
    GridForLevel(Level, &rows, &columns);
    if (TakePreparedDeal(PictureList, static_cast<size_t>(rows * columns / 2), DealtFit(), &prepared))
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
    DeleteSavedRound();
    ResetRoundTime();
    SeatPlayers();
    LayOutCells();

    // Pictures are kept at the largest size their cards can take on this monitor; the cards are
    // made from them at the size they are drawn, so the copy is 1:1. A picture that does not
    // decode gives way to the next one of the list; only when the list runs out do the remaining
    // pairs stay blank. Prepared pictures of another size (the level or the window changed since)
    // are scaled, or decoded again where they are too small.
    const size_t pairs = static_cast<size_t>(PairCount());
    PixelSize kept = KeptCardSize();
    PictureFit fit = DealtFit();
    std::vector<DecodedPicture> pictures;
    if (prepared != nullptr) {
        pictures = std::move(prepared->Pictures);
        kept = {prepared->Width, prepared->Height};
        fit = prepared->Fit;
    } else {
        pictures = DecodeDealtPictures(PictureList, pairs, kept.Width, kept.Height, fit);
    }
    KeepDealtPictures(PictureList, &pictures, kept, fit);

    ClearBoard();
    DealPairs(draw);
    ResetTry();
    ShowNewBoard();
}

void PrepareNextRoundIfWanted() {
    if (!PreparationWanted)
        return;
    PreparationWanted = false;
    const PixelSize kept = KeptCardSize();
    PrepareNextDeal(PictureList, PicturesForLevel(Level), kept.Width, kept.Height, DealtFit());
}

#include "game/NewRound.h"

#include <chrono>
#include <cstdlib>
#include <future>
#include <utility>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/ImageS.h"
#include "pictures/PictureBatch.h"
#include "game/BoardAccessible.h"
#include "game/CardNames.h"
#include "game/CellGeometry.h"
#include "game/Deal.h"
#include "game/GameState.h"
#include "game/Shuffle.h"

namespace {

// A deal that keeps the player waiting longer than this shows the wait cursor.
const auto WaitCursorDelay = std::chrono::milliseconds(100);

// The first pictures of the list that decode, one per pair. Workers only decode; this thread
// waits for them without dispatching messages, so no click or command re-enters the deal.
std::vector<DecodedPicture> DecodeDealtPictures(int width, int height) {
    std::vector<std::string> paths = PictureList;
    const size_t wanted = static_cast<size_t>(PairCount());
    std::future<std::vector<DecodedPicture>> decoding =
        std::async(std::launch::async, [paths = std::move(paths), wanted, width, height] {
            return DecodeFirstPictures(paths, wanted, width, height, DecodeThreadCount());
        });
    HCURSOR previous = nullptr;
    if (decoding.wait_for(WaitCursorDelay) != std::future_status::ready)
        previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514))); // IDC_WAIT
    std::vector<DecodedPicture> pictures = decoding.get();
    if (previous != nullptr)
        SetCursor(previous);
    return pictures;
}

} // namespace

void DeleteCardImages() {
    for (ImageS*& image : CardImages) {
        delete image;
        image = nullptr;
    }
}

void NewRound() {
    // Every deal seeds afresh; all its draws come from this seed, in a fixed order.
    srand(GetTickCount());
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
    std::vector<DecodedPicture> pictures = DecodeDealtPictures(cardWidth, cardHeight);
    TitleCards(PictureList, pictures);
    pictures.resize(static_cast<size_t>(PairCount()));
    for (int number = 1; number <= PairCount(); ++number)
        CardImages[number] = new ImageS(cardWidth, cardHeight, std::move(pictures[number - 1].Pixels));

    ClearBoard();
    DealPairs(draw);
    ResetTry();
    Engine->FrameWanted = TRUE;
    AnnounceDeal();
}

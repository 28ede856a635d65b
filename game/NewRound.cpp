#include "game/NewRound.h"

#include <chrono>
#include <cstdlib>
#include <future>
#include <utility>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/Dpi.h"
#include "engine/GameEngine.h"
#include "engine/ImageS.h"
#include "pictures/PictureBatch.h"
#include "game/CardPictures.h"
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

    // The layout takes the client in 96-DPI units, so a board looks alike at every DPI.
    RECT client;
    GetClientRect(Engine->Window, &client);
    const int dpi = static_cast<int>(WindowDpi(Engine->Window));
    const DealClient size =
        ClampDealClient(MulDiv(client.right, StandardDpi, dpi), MulDiv(client.bottom, StandardDpi, dpi));
    CellWidth = CellPitch(size.Width, Columns);
    CellHeight = CellPitch(size.Height, Rows);

    // Pictures are kept at the largest size their cards can take on this monitor; the cards are
    // made from them at the size they are drawn, so the copy is 1:1. A picture that does not
    // decode gives way to the next one of the list; only when the list runs out do the remaining
    // pairs stay blank.
    const PixelSize kept = KeptCardSize();
    std::vector<DecodedPicture> pictures = DecodeDealtPictures(kept.Width, kept.Height);
    pictures.resize(static_cast<size_t>(PairCount()));
    for (KeptPicture& picture : KeptPictures)
        picture = KeptPicture();
    for (int number = 1; number <= PairCount(); ++number) {
        DecodedPicture& decoded = pictures[number - 1];
        KeptPicture& picture = KeptPictures[number];
        if (decoded.Pixels.empty())
            continue;
        picture.Path = PictureList[decoded.Entry];
        picture.Width = kept.Width;
        picture.Height = kept.Height;
        picture.Pixels = std::move(decoded.Pixels);
    }
    MakeCards();

    ClearBoard();
    DealPairs(draw);
    ResetTry();
    Engine->FrameWanted = TRUE;
}

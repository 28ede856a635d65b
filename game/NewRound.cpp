#include "game/NewRound.h"

#include <cstdlib>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/ImageS.h"
#include "game/Deal.h"
#include "game/GameState.h"
#include "game/Shuffle.h"

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

    CardImages[CardBackIndex] = new ImageS(CellWidth, CellHeight, static_cast<D3DCOLOR>(CardBackColor));
    for (int number = 1; number <= PairCount(); ++number)
        CardImages[number] = new ImageS(CellWidth, CellHeight, PictureList[number - 1].c_str());

    ClearBoard();
    DealPairs(draw);
    ResetTry();
    Engine->FrameWanted = TRUE;
}

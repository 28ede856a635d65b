#include "board/SystemLook.h"

#include <windows.h>

#include "board/CardPictures.h"
#include "engine/GameEngine.h"
#include "rules/GameState.h"

BoardColours Look = ChooseBoardColours(false, {});

namespace {

uint32_t SystemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
}

} // namespace

void FollowSystemLook() {
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof(contrast);
    const bool high = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
                      (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    const SystemColours system = {SystemColour(COLOR_WINDOW), SystemColour(COLOR_BTNFACE),
                                  SystemColour(COLOR_BTNTEXT), SystemColour(COLOR_HIGHLIGHT),
                                  SystemColour(COLOR_HOTLIGHT), SystemColour(COLOR_WINDOWTEXT)};
    const BoardColours before = Look;
    Look = ChooseBoardColours(high, system);
    // Name cards and captions are drawn in the board's colours: made again when those change.
    const bool inked = before.CardBackFramed != Look.CardBackFramed || before.CardBack != Look.CardBack ||
                       before.CardBackFrame != Look.CardBackFrame || before.Background != Look.Background;
    if (inked && (DealtPairs == PairKind::PictureAndName || CalmRound) && CardImages[CardBackIndex] != nullptr)
        MakeCards();
    if (Engine != nullptr)
        Engine->FrameWanted = TRUE;
}

bool ClientAreaAnimates() {
    BOOL animates = TRUE;
    return !SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animates, 0) || animates;
}

#include "board/FocusCue.h"

#include "board/BoardAccessible.h"
#include "board/SystemLook.h"
#include "engine/FillBatch.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "rules/CellGeometry.h"

bool FocusCueShown = false;

namespace {

// The user's "always show keyboard cues": then nothing hides the frame.
bool FocusCueAlways = false;

// A light frame between two dark edges stands out on the card back and on any picture (lengths of
// the board's look).
const int DarkEdge = 2;
const int LightWidth = 4;
const uint32_t Dark = 0x000000;
const uint32_t Light = 0xFFFFFF;

// The card's rectangle less `by` of the board's look on every side.
PixelRect Inset(const PixelRect& card, int by) {
    const int across = AcrossBoard(by, BackBufferWidth), down = DownBoard(by, BackBufferHeight);
    return {card.Left + across, card.Top + down, card.Right - across, card.Bottom - down};
}

// Fills the ring between two rectangles, the inner one inside the outer, in one call.
void FillRing(const PixelRect& o, const PixelRect& i, uint32_t rgb) {
    FillBatch ring;
    ring.Add({o.Left, o.Top, o.Right, i.Top}, rgb);
    ring.Add({o.Left, i.Bottom, o.Right, o.Bottom}, rgb);
    ring.Add({o.Left, i.Top, i.Left, i.Bottom}, rgb);
    ring.Add({i.Right, i.Top, o.Right, i.Bottom}, rgb);
    ring.Send();
}

} // namespace

void StartFocusCue() {
    BOOL always = FALSE;
    FocusCueAlways = SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
    FocusCueShown = FocusCueAlways;
}

void ShowFocusCue(bool shown) {
    shown = shown || FocusCueAlways;
    if (FocusCueShown == shown)
        return;
    FocusCueShown = shown;
    Engine->FrameWanted = TRUE;
}

void FollowUiState(WPARAM wParam) {
    if ((HIWORD(wParam) & UISF_HIDEFOCUS) == 0)
        return;
    if (LOWORD(wParam) == UIS_SET)
        ShowFocusCue(false);
    else if (LOWORD(wParam) == UIS_CLEAR)
        ShowFocusCue(true);
}

void SetBoardFocus(const Cell& cell) {
    if (SameCell(cell, Focus))
        return;
    Focus = cell;
    Engine->FrameWanted = TRUE;
    AnnounceFocus();
}

void DrawFocusCue() {
    if (!FocusCueShown || Focus.Column >= Columns || Focus.Row >= Rows)
        return;
    const PixelRect card =
        CardRect({Columns, Rows, BackBufferWidth, BackBufferHeight}, Focus.Column, Focus.Row);
    if (Look.FocusInSystemColour) {
        FillRing(card, Inset(card, 2 * DarkEdge + LightWidth), Look.Focus);
        return;
    }
    FillRing(card, Inset(card, 2 * DarkEdge + LightWidth), Dark);
    FillRing(Inset(card, DarkEdge), Inset(card, DarkEdge + LightWidth), Light);
}

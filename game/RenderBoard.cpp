#include "game/RenderBoard.h"

#include <windows.h>

#include <algorithm>

#include "engine/Dpi.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "engine/ImageS.h"
#include "game/CardTurns.h"
#include "game/CellGeometry.h"
#include "game/FocusCue.h"
#include "game/GameState.h"
#include "game/PlayerTurns.h"
#include "game/PlayersBar.h"
#include "game/SystemLook.h"

namespace {

CardTurns Turns;
bool AtOnce = true;
// The deal the turns follow: a board of other pictures is another deal, shown at once.
int DealtBoard[MaxGridSide][MaxGridSide];

// Found frames are this wide at 96 DPI; high contrast frames card backs this wide.
const int FoundFrameWidth = 3;
const int BackFrameWidth = 2;

bool IsShownFaceUp(const Cell& cell) {
    return FaceUp[cell.Column][cell.Row] == 1 || SameCell(cell, FirstPick) || SameCell(cell, SecondPick);
}

D3DCOLOR Opaque(uint32_t rgb) {
    return D3DCOLOR_ARGB(0xFF, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The last column and row of cards reach past the back buffer's edge; a fill must not, or it fails whole.
void Fill(const PixelRect& r, uint32_t rgb) {
    const RECT rect = {std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, BackBufferWidth),
                       std::min(r.Bottom, BackBufferHeight)};
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    D3DDevice->ColorFill(BackBuffer, &rect, Opaque(rgb));
}

// A width of 96-DPI pixels at the window's DPI.
int FramePixels(int width) {
    return MulDiv(width, int(WindowDpi(Engine->Window)), int(StandardDpi));
}

// A frame `width` pixels wide inside the edge of r.
void Frame(const PixelRect& r, int width, uint32_t rgb) {
    width = std::min({width, (r.Right - r.Left) / 2, (r.Bottom - r.Top) / 2});
    Fill({r.Left, r.Top, r.Right, r.Top + width}, rgb);
    Fill({r.Left, r.Bottom - width, r.Right, r.Bottom}, rgb);
    Fill({r.Left, r.Top + width, r.Left + width, r.Bottom - width}, rgb);
    Fill({r.Right - width, r.Top + width, r.Right, r.Bottom - width}, rgb);
}

// Cards are made at the board's largest card size and a card a pixel smaller after rounding shows
// the top-left part of its picture, so every copy is 1:1. Cards made for an earlier size of the
// back buffer, and turning cards, are stretched whole into their place.
void DrawCard(int image, const PixelRect& place, const PixelSize& card, bool whole) {
    if (image == CardBackIndex) {
        if (CardImages[CardBackIndex] == nullptr)
            return;
        Fill(place, Look.CardBack);
        if (Look.CardBackFramed)
            Frame(place, FramePixels(BackFrameWidth), Look.CardBackFrame);
        return;
    }
    ImageS* picture = CardImages[image];
    if (picture == nullptr || place.Left >= place.Right)
        return;
    const RECT destination = {place.Left, place.Top, place.Right, place.Bottom};
    if (whole && picture->Width == card.Width && picture->Height == card.Height)
        picture->DrawPart(&destination, place.Right - place.Left, place.Bottom - place.Top);
    else
        picture->Draw(&destination);
}

// A found pair's frame in its finder's colour, when two or more play.
void DrawFoundFrame(const Cell& cell, const PixelRect& place) {
    uint32_t colour = 0;
    if (FaceUp[cell.Column][cell.Row] == 1 &&
        FoundFrameColour(Look, Round.Count, Round.Finders[Board[cell.Column][cell.Row]], &colour))
        Frame(place, FramePixels(FoundFrameWidth), colour);
}

// What each cell shows, row by row, and whether the board is another deal than the last frame's.
int ShownCards(bool reveal, int* shown) {
    int count = 0;
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            const Cell cell = {column, row};
            shown[count++] = reveal || IsShownFaceUp(cell) ? Board[column][row] : CardBackIndex;
        }
    }
    if (!std::equal(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, &DealtBoard[0][0])) {
        std::copy(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, &DealtBoard[0][0]);
        AtOnce = true;
    }
    return count;
}

void DrawBoard(bool reveal) {
    const PixelSize card =
        LargestCard(Columns, Rows, CellWidth, CellHeight, BackBufferWidth, BackBufferHeight);
    const uint32_t now = GetTickCount();
    int shown[CardTurns::MaxCells];
    const int count = ShownCards(reveal, shown);
    if (reveal || AtOnce)
        Turns.ShowAtOnce(shown, count);
    else
        Turns.Follow(shown, count, now, ClientAreaAnimates());
    AtOnce = false;
    if (SUCCEEDED(D3DDevice->BeginScene())) {
        D3DDevice->ColorFill(BackBuffer, nullptr, Opaque(Look.Background));
        for (int i = 0; i < count; ++i) {
            const Cell cell = {i % Columns, i / Columns};
            const PixelRect place = BoardToPixels(CellRect(cell.Column, cell.Row, CellWidth, CellHeight),
                                                  BackBufferWidth, BackBufferHeight);
            int image = 0;
            PixelRect drawn = {};
            if (Turns.Turning(i, now, place, &image, &drawn)) {
                DrawCard(image, drawn, card, false);
                continue;
            }
            DrawCard(shown[i], place, card, true);
            DrawFoundFrame(cell, place);
        }
        DrawFocusCue();
        D3DDevice->EndScene();
    }
    // An unchanged back buffer is shown when the scene could not begin.
    const RECT board = BoardRect();
    ShowFrame(board.right, board.bottom);
    if (Turns.Moving(now))
        Engine->FrameWanted = TRUE;
}

} // namespace

void RenderBoard() {
    DrawBoard(false);
}

void RenderReveal() {
    DrawBoard(true);
}

void ShowBoardAtOnce() {
    AtOnce = true;
}

bool BoardMoving() {
    return Turns.Moving(GetTickCount());
}

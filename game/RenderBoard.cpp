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

// A fill reaching past the back buffer's edge fails whole: one that might (a frame wider than its card)
// is cut to it.
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

// What each cell shows, row by row, and whether the board is another deal than the last frame's.
int ShownCards(bool reveal, int* shown) {
    int count = 0;
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            const Cell cell = {column, row};
            shown[count++] = reveal || IsShownFaceUp(cell) ? FaceImage(column, row) : CardBackIndex;
        }
    }
    if (!std::equal(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, &DealtBoard[0][0])) {
        std::copy(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, &DealtBoard[0][0]);
        AtOnce = true;
    }
    return count;
}

// What a cell showed in a frame: two cells alike drew the same pixels into the same place.
struct CellLook {
    PixelRect Place;
    int Image;
    PixelRect Drawn;
    bool Stretched;
    bool Framed; // a found frame of FrameColour
    uint32_t FrameColour;
    bool Focused;
};

bool SameRect(const PixelRect& a, const PixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

bool SameLook(const CellLook& a, const CellLook& b) {
    return SameRect(a.Place, b.Place) && a.Image == b.Image && SameRect(a.Drawn, b.Drawn) &&
           a.Stretched == b.Stretched && a.Framed == b.Framed && a.FrameColour == b.FrameColour &&
           a.Focused == b.Focused;
}

// What every cell looks like depends on these too; a frame of other ones is drawn whole.
struct FrameLook {
    BoardColours Colours;
    UINT Dpi;
    unsigned Surfaces; // ImageS::SurfacesMade: pictures made or restored since
    const ImageS* Images[CardImageCount];
};

bool SameFrameLook(const FrameLook& a, const FrameLook& b) {
    const BoardColours &x = a.Colours, &y = b.Colours;
    return x.Background == y.Background && x.CardBack == y.CardBack && x.CardBackFramed == y.CardBackFramed &&
           x.CardBackFrame == y.CardBackFrame && x.FocusInSystemColour == y.FocusInSystemColour &&
           x.Focus == y.Focus && x.FoundInSystemColour == y.FoundInSystemColour && x.Found == y.Found &&
           a.Dpi == b.Dpi && a.Surfaces == b.Surfaces && std::equal(a.Images, a.Images + CardImageCount, b.Images);
}

// The last frame drawn: a frame where only a few cells look otherwise redraws and copies those alone.
CellLook Drawn[CardTurns::MaxCells];
int DrawnCount = 0;
FrameLook DrawnFrame = {};
bool TurnedLastFrame = false;

CellLook LookOf(int i, int shown, uint32_t now) {
    const Cell cell = {i % Columns, i / Columns};
    CellLook look = {};
    look.Place = CardRect({Columns, Rows, BackBufferWidth, BackBufferHeight}, cell.Column, cell.Row);
    look.Stretched = Turns.Turning(i, now, look.Place, &look.Image, &look.Drawn);
    if (!look.Stretched) {
        look.Image = shown;
        look.Drawn = look.Place;
        look.Framed = FaceUp[cell.Column][cell.Row] == 1 &&
                      FoundFrameColour(Look, Round.Count, Round.Finders[Board[cell.Column][cell.Row]],
                                       &look.FrameColour);
    }
    look.Focused = FocusCueShown && SameCell(cell, Focus);
    return look;
}

void DrawCell(const CellLook& look, const PixelSize& card) {
    DrawCard(look.Image, look.Drawn, card, !look.Stretched);
    if (look.Framed)
        Frame(look.Place, FramePixels(FoundFrameWidth), look.FrameColour);
}

// The cells whose look changed since the last frame, as parts of the back buffer; false when the
// frame is to be drawn whole.
bool ChangedParts(const CellLook* looks, int count, const FrameLook& frame, RECT* parts, int* partCount) {
    *partCount = 0;
    if (count != DrawnCount || !SameFrameLook(frame, DrawnFrame))
        return false;
    for (int i = 0; i < count; ++i) {
        if (SameLook(looks[i], Drawn[i]))
            continue;
        const PixelRect& p = looks[i].Place;
        const RECT part = {std::max(p.Left, 0), std::max(p.Top, 0), std::min(p.Right, BackBufferWidth),
                           std::min(p.Bottom, BackBufferHeight)};
        if (part.left >= part.right || part.top >= part.bottom)
            continue;
        if (*partCount == MaxFrameParts)
            return false;
        parts[(*partCount)++] = part;
    }
    return true;
}

// Draws the cells whole, or over the last frame only those whose look changed; false when the scene
// could not begin.
bool DrawCells(const CellLook* looks, int count, bool inParts, const PixelSize& card) {
    if (FAILED(D3DDevice->BeginScene()))
        return false;
    if (!inParts)
        D3DDevice->ColorFill(BackBuffer, nullptr, Opaque(Look.Background));
    for (int i = 0; i < count; ++i) {
        if (!inParts) {
            DrawCell(looks[i], card);
        } else if (!SameLook(looks[i], Drawn[i])) {
            Fill(looks[i].Place, Look.Background);
            DrawCell(looks[i], card);
        }
    }
    DrawFocusCue();
    D3DDevice->EndScene();
    return true;
}

void DrawBoard(bool reveal) {
    const PixelSize card = LargestCard({Columns, Rows, BackBufferWidth, BackBufferHeight});
    const uint32_t now = GetTickCount();
    int shown[CardTurns::MaxCells];
    const int count = ShownCards(reveal, shown);
    const bool atOnce = reveal || AtOnce;
    if (atOnce)
        Turns.ShowAtOnce(shown, count);
    else
        Turns.Follow(shown, count, now, ClientAreaAnimates());
    AtOnce = false;
    CellLook looks[CardTurns::MaxCells];
    for (int i = 0; i < count; ++i)
        looks[i] = LookOf(i, shown[i], now);
    FrameLook frame = {Look, WindowDpi(Engine->Window), ImageS::SurfacesMade, {}};
    std::copy(CardImages, CardImages + CardImageCount, frame.Images);
    const RECT board = BoardRect();
    RECT parts[MaxFrameParts];
    int partCount = 0;
    // Frames of a card turning, to its last, change a few places; any other frame is drawn whole.
    const bool turning = Turns.Moving(now) || TurnedLastFrame;
    TurnedLastFrame = Turns.Moving(now);
    const bool inParts = turning && !WholeFrameWanted && !atOnce && board.right == BackBufferWidth &&
                         board.bottom == BackBufferHeight && ChangedParts(looks, count, frame, parts, &partCount);
    // With no part changed, the window shows the board as it stands.
    if (!inParts || partCount > 0) {
        if (DrawCells(looks, count, inParts, card)) {
            if (inParts)
                ShowFrameParts(parts, partCount);
            else
                ShowFrame(board.right, board.bottom);
            std::copy(looks, looks + count, Drawn);
            DrawnCount = count;
            DrawnFrame = frame;
        } else {
            // An unchanged back buffer is shown whole, and the next frame drawn whole.
            ShowFrame(board.right, board.bottom);
            DrawnCount = -1;
        }
    }
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

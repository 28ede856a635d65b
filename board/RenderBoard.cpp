#include "board/RenderBoard.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "board/BoardArea.h"
#include "board/CardGlowDrawing.h"
#include "board/CardPictures.h"
#include "board/FocusCue.h"
#include "board/SystemLook.h"
#include "engine/Dpi.h"
#include "engine/FillBatch.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "engine/PictureSurface.h"
#include "engine/RectDifference.h"
#include "rules/CardGlow.h"
#include "rules/CardTurns.h"
#include "rules/CellGeometry.h"
#include "rules/GameState.h"
#include "rules/PlayerTurns.h"

namespace {

CardTurns Turns;
bool AtOnce = true;
// The deal the turns follow: a board of other pictures is another deal, shown at once.
int DealtBoard[MaxGridSide][MaxGridSide];

// Found frames are this wide at 96 DPI; high contrast frames card backs this wide.
const int FoundFrameWidth = 3;
const int BackFrameWidth = 2;
// Each ring of a glowing card's light is this wide at 96 DPI.
const int GlowRingWidth = 3;

bool IsShownFaceUp(const Cell& cell) {
    return FaceUp[cell.Column][cell.Row] == 1 || SameCell(cell, FirstPick) || SameCell(cell, SecondPick);
}

// A width of 96-DPI pixels at the window's DPI.
int FramePixels(int width) {
    return MulDiv(width, int(WindowDpi(Engine->Window)), int(StandardDpi));
}

// A frame `width` pixels wide inside the edge of r: four fills that do not overlap.
void Frame(FillBatch& fills, const PixelRect& r, int width, uint32_t rgb) {
    width = std::min({width, (r.Right - r.Left) / 2, (r.Bottom - r.Top) / 2});
    fills.Add({r.Left, r.Top, r.Right, r.Top + width}, rgb);
    fills.Add({r.Left, r.Bottom - width, r.Right, r.Bottom}, rgb);
    fills.Add({r.Left, r.Top + width, r.Left + width, r.Bottom - width}, rgb);
    fills.Add({r.Right - width, r.Top + width, r.Right, r.Bottom - width}, rgb);
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
    unsigned Picture; // PictureSurface::Serial of a face; for the back, which is filled, whether there is one
    PixelRect Drawn;
    bool Stretched; // a picture stretched whole into Drawn, not copied 1:1
    bool Framed;    // a found frame of FrameColour
    uint32_t FrameColour;
    bool Glowing; // lit by its partner (rules/CardGlow.h)
    bool Focused;
};

bool SameRect(const PixelRect& a, const PixelRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

bool SameLook(const CellLook& a, const CellLook& b) {
    return SameRect(a.Place, b.Place) && a.Image == b.Image && a.Picture == b.Picture &&
           SameRect(a.Drawn, b.Drawn) && a.Stretched == b.Stretched && a.Framed == b.Framed &&
           a.FrameColour == b.FrameColour && a.Glowing == b.Glowing && a.Focused == b.Focused;
}

// A card back and nothing over it: from one such look to another only the pixels between the two
// backs change.
bool PlainBack(const CellLook& look) {
    return look.Image == CardBackIndex && look.Picture != 0 && !look.Framed && !look.Glowing && !look.Focused &&
           !Look.CardBackFramed;
}

// What every cell looks like depends on these too; a frame of other ones is drawn whole.
struct FrameLook {
    BoardColours Colours;
    UINT Dpi;
};

bool SameFrameLook(const FrameLook& a, const FrameLook& b) {
    const BoardColours &x = a.Colours, &y = b.Colours;
    return x.Background == y.Background && x.CardBack == y.CardBack && x.CardBackFramed == y.CardBackFramed &&
           x.CardBackFrame == y.CardBackFrame && x.FocusInSystemColour == y.FocusInSystemColour &&
           x.Focus == y.Focus && x.FoundInSystemColour == y.FoundInSystemColour && x.Found == y.Found &&
           a.Dpi == b.Dpi;
}

// The last frame drawn: a frame where only a few cells look otherwise redraws and copies those alone.
CellLook Drawn[CardTurns::MaxCells];
int DrawnCount = 0;
FrameLook DrawnFrame = {};

CellLook LookOf(int i, int shown, uint32_t now) {
    const Cell cell = {i % Columns, i / Columns};
    CellLook look = {};
    look.Place = CardRect({Columns, Rows, BackBufferWidth, BackBufferHeight}, cell.Column, cell.Row);
    const bool turning = Turns.Turning(i, now, look.Place, &look.Image, &look.Drawn);
    if (!turning) {
        look.Image = shown;
        look.Drawn = look.Place;
        look.Framed = FaceUp[cell.Column][cell.Row] == 1 &&
                      FoundFrameColour(Look, Round.Count, Round.Finders[Board[cell.Column][cell.Row]],
                                       &look.FrameColour);
        look.Glowing = Glowing(cell);
    }
    const PictureSurface* image = CardImages[look.Image];
    look.Picture = image == nullptr ? 0 : look.Image == CardBackIndex ? 1 : image->Serial;
    // The back is a fill of where it is drawn, turning or not: a turn's first frame, at its full
    // width, changes nothing.
    look.Stretched = turning && look.Image != CardBackIndex;
    look.Focused = FocusCueShown && SameCell(cell, Focus);
    return look;
}

// The fills of a frame, in the order they must reach the back buffer: the background under the
// cards drawn again, the backs, the backs' frames; the pictures come after them, then the found
// frames over the pictures.
struct CellFills {
    FillBatch Under, Backs, BackFrames, Found;
};

// Cards are made at the board's largest card size and a card a pixel smaller after rounding shows
// the top-left part of its picture, so every copy is 1:1. Cards made for an earlier size of the
// back buffer, and turning cards, are stretched whole into their place.
void DrawPicture(const CellLook& look, const PixelSize& card) {
    PictureSurface* picture = CardImages[look.Image];
    if (picture == nullptr || look.Drawn.Left >= look.Drawn.Right)
        return;
    const RECT destination = {look.Drawn.Left, look.Drawn.Top, look.Drawn.Right, look.Drawn.Bottom};
    if (!look.Stretched && picture->Width == card.Width && picture->Height == card.Height)
        picture->DrawPart(&destination, look.Drawn.Right - look.Drawn.Left,
                          look.Drawn.Bottom - look.Drawn.Top);
    else
        picture->Draw(&destination);
}

// A cell's fills; `before`, the cell's look in the back buffer, when the cell is drawn over it.
void AddCellFills(CellFills& fills, const CellLook& look, const CellLook* before) {
    if (before != nullptr && PlainBack(look) && PlainBack(*before) && SameRect(look.Place, before->Place)) {
        PixelRect parts[4];
        for (int i = RectDifference(before->Drawn, look.Drawn, parts); i-- > 0;)
            fills.Under.Add(parts[i], Look.Background);
        for (int i = RectDifference(look.Drawn, before->Drawn, parts); i-- > 0;)
            fills.Backs.Add(parts[i], Look.CardBack);
        return;
    }
    if (before != nullptr)
        fills.Under.Add(look.Place, Look.Background);
    if (look.Image == CardBackIndex && look.Picture != 0) {
        fills.Backs.Add(look.Drawn, Look.CardBack);
        if (Look.CardBackFramed)
            Frame(fills.BackFrames, look.Drawn, FramePixels(BackFrameWidth), Look.CardBackFrame);
    }
    if (look.Framed)
        Frame(fills.Found, look.Place, FramePixels(FoundFrameWidth), look.FrameColour);
    if (look.Glowing)
        AddCardGlow(fills.Found, look.Place, FramePixels(GlowRingWidth));
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
    CellFills fills;
    if (!inParts)
        fills.Under.Add({0, 0, BackBufferWidth, BackBufferHeight}, Look.Background);
    // The cells drawn that show a picture, and their pictures.
    int faces[CardTurns::MaxCells];
    PictureSurface* pictures[CardTurns::MaxCells];
    int faceCount = 0;
    bool cueDrawn = !inParts; // the cue's cell drawn again; otherwise the back buffer still shows it
    for (int i = 0; i < count; ++i) {
        if (inParts && SameLook(looks[i], Drawn[i]))
            continue;
        AddCellFills(fills, looks[i], inParts ? &Drawn[i] : nullptr);
        cueDrawn = cueDrawn || looks[i].Focused;
        if (looks[i].Image != CardBackIndex) {
            faces[faceCount] = i;
            pictures[faceCount++] = CardImages[looks[i].Image];
        }
    }
    fills.Under.Send();
    fills.Backs.Send();
    fills.BackFrames.Send();
    // The pictures first shown in this frame (a board at a new size, a switch to the full screen)
    // get their surfaces together.
    PictureSurface::MakeSurfaces(pictures, faceCount);
    for (int f = 0; f < faceCount; ++f)
        DrawPicture(looks[faces[f]], card);
    fills.Found.Send();
    if (cueDrawn)
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
    const FrameLook frame = {Look, WindowDpi(Engine->Window)};
    const RECT board = BoardRect();
    RECT parts[MaxFrameParts];
    int partCount = 0;
    // A frame where a few cells changed, a card turning or a deal of the same board whose backs
    // stayed, redraws and copies those alone; any other frame is drawn whole.
    const bool inParts = !WholeFrameWanted && board.right == BackBufferWidth &&
                         board.bottom == BackBufferHeight &&
                         ChangedParts(looks, count, frame, parts, &partCount);
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

// The tick until which a turn's frames keep coming: its frames come 16 ms apart, and its last is
// followed by the board standing still.
std::atomic<DWORD> FramesUntil{0};
const DWORD FramesAfterTurnMs = 50;

} // namespace

void RenderBoard() {
    DrawBoard(false);
    if (BoardMoving())
        FramesUntil = GetTickCount() + FramesAfterTurnMs;
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

bool BoardFramesComing() {
    // Wrapping arithmetic, as the tick count wraps.
    return LONG(FramesUntil.load() - GetTickCount()) > 0;
}

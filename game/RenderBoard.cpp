#include "game/RenderBoard.h"

#include "engine/Graphics.h"
#include "engine/ImageS.h"
#include "game/CellGeometry.h"
#include "game/FocusCue.h"
#include "game/GameState.h"
#include "game/PlayersBar.h"

namespace {

bool IsShownFaceUp(const Cell& cell) {
    return FaceUp[cell.Column][cell.Row] == 1 || SameCell(cell, FirstPick) || SameCell(cell, SecondPick);
}

// Cards are made at the board's largest card size and a card a pixel smaller after rounding shows
// the top-left part of its picture, so every copy is 1:1. Cards made for an earlier size of the
// back buffer are stretched whole until they are made again.
void DrawCard(ImageS* image, const PixelRect& place, const PixelSize& card) {
    const RECT destination = {place.Left, place.Top, place.Right, place.Bottom};
    if (image->Width == card.Width && image->Height == card.Height)
        image->DrawPart(&destination, place.Right - place.Left, place.Bottom - place.Top);
    else
        image->Draw(&destination);
}

void DrawBoard(bool reveal) {
    const PixelSize card = LargestCard(Columns, Rows, CellWidth, CellHeight, BackBufferWidth, BackBufferHeight);
    if (SUCCEEDED(D3DDevice->BeginScene())) {
        D3DDevice->ColorFill(BackBuffer, nullptr, D3DCOLOR_ARGB(0xFF, 0, 0, 0));
        for (int column = 0; column < Columns; ++column) {
            for (int row = 0; row < Rows; ++row) {
                const Cell cell = {column, row};
                ImageS* image =
                    CardImages[reveal || IsShownFaceUp(cell) ? Board[column][row] : CardBackIndex];
                if (image == nullptr)
                    continue;
                DrawCard(image,
                         BoardToPixels(CellRect(column, row, CellWidth, CellHeight), BackBufferWidth,
                                       BackBufferHeight),
                         card);
            }
        }
        DrawFocusCue();
        D3DDevice->EndScene();
    }
    // An unchanged back buffer is shown when the scene could not begin.
    const RECT board = BoardRect();
    ShowFrame(board.right, board.bottom);
}

} // namespace

void RenderBoard() {
    DrawBoard(false);
}

void RenderReveal() {
    DrawBoard(true);
}

#include "game/RenderBoard.h"

#include "engine/Graphics.h"
#include "engine/ImageS.h"
#include "game/CellGeometry.h"
#include "game/FocusCue.h"
#include "game/GameState.h"

namespace {

bool IsShownFaceUp(const Cell& cell) {
    return FaceUp[cell.Column][cell.Row] == 1 || SameCell(cell, FirstPick) || SameCell(cell, SecondPick);
}

void DrawBoard(bool reveal) {
    if (SUCCEEDED(D3DDevice->BeginScene())) {
        D3DDevice->ColorFill(BackBuffer, nullptr, D3DCOLOR_ARGB(0xFF, 0, 0, 0));
        for (int column = 0; column < Columns; ++column) {
            for (int row = 0; row < Rows; ++row) {
                const Cell cell = {column, row};
                ImageS* image =
                    CardImages[reveal || IsShownFaceUp(cell) ? Board[column][row] : CardBackIndex];
                if (image == nullptr)
                    continue;
                const PixelRect place = CellRect(column, row, CellWidth, CellHeight);
                const RECT destination = {place.Left, place.Top, place.Right, place.Bottom};
                image->Draw(&destination);
            }
        }
        DrawFocusCue();
        D3DDevice->EndScene();
    }
    // An unchanged back buffer is presented when the scene could not begin.
    if (D3DDevice->Present(nullptr, nullptr, nullptr, nullptr) == D3DERR_DEVICELOST)
        DeviceLost = true;
}

} // namespace

void RenderBoard() {
    DrawBoard(false);
}

void RenderReveal() {
    DrawBoard(true);
}

#include "board/DeviceRecovery.h"

#include "board/CardPictures.h"
#include "board/LargeViewDrawing.h"
#include "engine/Graphics.h"
#include "engine/PictureSurface.h"
#include "rules/GameState.h"

bool RebuildDevice() {
    for (PictureSurface* image : CardImages) {
        if (image != nullptr)
            image->ReleaseSurface();
    }
    ReleaseLargeViewSurfaces();
    if (!ResetDevice())
        return false;
    RestoreLargeViewSurfaces();
    for (PictureSurface* image : CardImages) {
        if (image != nullptr)
            image->RestoreSurface();
    }
    return true;
}

bool RecoverLostDevice() {
    switch (D3DDevice->TestCooperativeLevel()) {
        case D3D_OK:
            // Not lost: the board's surfaces could not be made at a new size.
            if (BackBuffer == nullptr) {
                if (!RebuildDevice())
                    return false;
                RemakeStaleCards();
            }
            DeviceLost = false;
            return true;
        case D3DERR_DEVICENOTRESET:
            // The window may have been resized while the device was lost.
            if (!RebuildDevice())
                return false;
            RemakeStaleCards();
            return true;
        default: // still lost: the screen is locked or another program holds it
            return false;
    }
}

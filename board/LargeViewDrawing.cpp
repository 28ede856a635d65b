#include "board/LargeViewDrawing.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "board/BoardArea.h"
#include "board/SystemLook.h"
#include "engine/Dpi.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "engine/PictureSurface.h"
#include "rules/LargeViewLayout.h"

namespace {

std::unique_ptr<PictureSurface> Picture;
int ShapeWidth = 1;
int ShapeHeight = 1;
std::wstring CaptionText;
// The caption as drawn last, made again when its size, text or colours change.
std::unique_ptr<PictureSurface> Caption;
BoardColours CaptionLook = {};

// The caption's font: the system's message font, half as large again, at the window's DPI.
LOGFONTW CaptionFont(int dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    const int height = font.lfHeight != 0 ? (font.lfHeight < 0 ? -font.lfHeight : font.lfHeight) : 12;
    font.lfHeight = -MulDiv(height * 3 / 2, dpi, int(StandardDpi));
    return font;
}

int Dpi() {
    return int(WindowDpi(Engine->Window));
}

// The caption's text drawn by GDI into pixels of the board's colours, centred, cut with an ellipsis
// where it is too long.
std::vector<uint32_t> CaptionPixels(int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * height, Look.Background);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc != nullptr && bitmap != nullptr && bits != nullptr) {
        const LOGFONTW description = CaptionFont(Dpi());
        HFONT font = CreateFontIndirectW(&description);
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        HGDIOBJ oldFont = SelectObject(dc, font);
        const uint32_t* rgb = pixels.data();
        std::copy(rgb, rgb + pixels.size(), static_cast<uint32_t*>(bits));
        SetBkMode(dc, TRANSPARENT);
        const uint32_t text = Look.Text;
        SetTextColor(dc, RGB((text >> 16) & 0xFF, (text >> 8) & 0xFF, text & 0xFF));
        RECT place = {0, 0, width, height};
        DrawTextW(dc, CaptionText.c_str(), int(CaptionText.size()), &place,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        GdiFlush();
        const uint32_t* drawn = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = drawn[i] & 0xFFFFFF;
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(font);
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    if (dc != nullptr)
        DeleteDC(dc);
    return pixels;
}

bool SameLook(const BoardColours& a, const BoardColours& b) {
    return a.Background == b.Background && a.Text == b.Text;
}

void DrawCaption(const PixelRect& place) {
    const int width = place.Right - place.Left;
    const int height = place.Bottom - place.Top;
    if (width <= 0 || height <= 0)
        return;
    if (!Caption || Caption->Width != width || Caption->Height != height || !SameLook(CaptionLook, Look)) {
        Caption = std::make_unique<PictureSurface>(width, height, CaptionPixels(width, height));
        CaptionLook = Look;
    }
    const RECT target = {place.Left, place.Top, place.Right, place.Bottom};
    Caption->Draw(&target);
}

} // namespace

ViewRoom LargeViewRoom() {
    const LOGFONTW font = CaptionFont(Dpi());
    const int text = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    return {{BackBufferWidth, BackBufferHeight}, text * 2, MulDiv(12, Dpi(), int(StandardDpi))};
}

void SetLargeViewPicture(int width, int height, std::vector<uint32_t> pixels) {
    Picture = std::make_unique<PictureSurface>(width, height, std::move(pixels));
    Engine->FrameWanted = TRUE;
}

void SetLargeViewShape(int shapeWidth, int shapeHeight) {
    ShapeWidth = shapeWidth;
    ShapeHeight = shapeHeight;
    Engine->FrameWanted = TRUE;
}

void SetLargeViewCaption(const std::wstring& caption) {
    CaptionText = caption;
    Caption.reset();
}

void ClearLargeView() {
    Picture.reset();
    Caption.reset();
    CaptionText.clear();
}

void RenderLargeView() {
    const ViewRoom room = LargeViewRoom();
    const LargeViewLayout layout =
        LayOutLargeView(ShapeWidth, ShapeHeight, room.Board.Width, room.Board.Height, room.CaptionHeight, room.Margin);
    if (SUCCEEDED(D3DDevice->BeginScene())) {
        D3DDevice->ColorFill(BackBuffer, nullptr, Opaque(Look.Background));
        if (Picture) {
            const RECT target = {layout.Picture.Left, layout.Picture.Top, layout.Picture.Right, layout.Picture.Bottom};
            Picture->Draw(&target);
        }
        DrawCaption(layout.Caption);
        D3DDevice->EndScene();
    }
    const RECT board = BoardRect();
    ShowFrame(board.right, board.bottom);
}

void ReleaseLargeViewSurfaces() {
    for (PictureSurface* image : {Picture.get(), Caption.get()}) {
        if (image != nullptr)
            image->ReleaseSurface();
    }
}

void RestoreLargeViewSurfaces() {
    for (PictureSurface* image : {Picture.get(), Caption.get()}) {
        if (image != nullptr)
            image->RestoreSurface();
    }
}

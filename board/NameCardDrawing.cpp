#include "board/NameCardDrawing.h"

#include <windows.h>

#include <cstring>

#include "board/SystemLook.h"
#include "rules/NameCardLayout.h"
#include "rules/NameRules.h"

namespace {

// Smaller than this, a name is cut rather than shrunk further.
const int MinNamePixels = 9;

COLORREF Colour(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Hebrew, Arabic, Syriac, Thaana, N'Ko and their presentation forms.
bool RightToLeft(const std::u16string& name) {
    for (char16_t c : name) {
        if ((c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF))
            return true;
    }
    return false;
}

// Segoe UI, through which Windows links the fonts of every script it ships (Japanese among them).
HFONT NameFont(int size) {
    return CreateFontW(-size, 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Segoe UI");
}

int TextWidth(HDC dc, const std::u16string& text, int size) {
    const HFONT font = NameFont(size);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE extent = {0, 0};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.c_str()), int(text.size()), &extent);
    SelectObject(dc, old);
    DeleteObject(font);
    return extent.cx;
}

} // namespace

std::vector<uint32_t> DrawNameCard(const std::string& name, int width, int height) {
    // Paper and ink: white and the board's background, or under high contrast the system's button
    // face and text, which the card backs take there.
    const uint32_t paper = Look.CardBackFramed ? Look.CardBack : 0xFFFFFF;
    const uint32_t ink = Look.CardBackFramed ? Look.CardBackFrame : Look.Background;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height), paper);
    if (width <= 0 || height <= 0)
        return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as the card's pixels
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (dc != nullptr)
            DeleteDC(dc);
        return pixels;
    }
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));

    const std::u16string text = Utf16(name);
    const NameLayout layout = LayOutName(text, width, height, MinNamePixels,
                                         [dc](const std::u16string& line, int size) { return TextWidth(dc, line, size); });
    const HFONT font = NameFont(layout.Size);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Colour(ink));
    const UINT reading = RightToLeft(text) ? ETO_RTLREADING : 0;
    const int pitch = layout.Size * 6 / 5;
    int top = (height - int(layout.Lines.size()) * pitch) / 2 + (pitch - layout.Size) / 2;
    for (const std::u16string& line : layout.Lines) {
        const wchar_t* wide = reinterpret_cast<const wchar_t*>(line.c_str());
        SIZE extent = {0, 0};
        GetTextExtentPoint32W(dc, wide, int(line.size()), &extent);
        ExtTextOutW(dc, (width - extent.cx) / 2, top, reading, nullptr, wide, UINT(line.size()), nullptr);
        top += pitch;
    }
    GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

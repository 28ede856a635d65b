#include "pictures/BmpDecoder.h"

#include <algorithm>
#include <cstring>

#include "pictures/PictureScale.h"
#include "pictures/PictureSize.h"

namespace {

enum Compression : uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

uint32_t Little(const uint8_t* at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

// What the headers say, checked against each other and against the file.
struct Layout {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int Bits = 0;
    uint32_t Compression = Rgb;
    uint32_t Masks[4] = {}; // red, green, blue, alpha
    size_t PaletteAt = 0;
    size_t PaletteEntryBytes = 4;
    size_t PaletteEntries = 0; // those the header claims that lie before the pixels
    size_t PixelsAt = 0;
};

bool KnownDepth(int bits, uint32_t compression) {
    switch (compression) {
        case Rgb:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case Rle8:
            return bits == 8;
        case Rle4:
            return bits == 4;
        case BitFields:
        case AlphaBitFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

bool ReadLayout(const uint8_t* data, size_t size, Layout* layout) {
    if (size < 26 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t headerBytes = Little(data + 14, 4);
    int64_t width = 0;
    int64_t height = 0;
    size_t masksAfterHeader = 0;
    uint32_t claimedEntries = 0;
    if (headerBytes == 12) { // OS/2's core header: 16-bit sizes, always bottom-up, 3-byte palette entries
        width = Little(data + 18, 2);
        height = Little(data + 20, 2);
        layout->Bits = int(Little(data + 24, 2));
        layout->PaletteEntryBytes = 3;
    } else if (headerBytes == 40 || headerBytes == 52 || headerBytes == 56 || headerBytes == 108 ||
               headerBytes == 124) {
        if (size < 14 + size_t(headerBytes))
            return false;
        width = int32_t(Little(data + 18, 4));
        height = int32_t(Little(data + 22, 4));
        layout->Bits = int(Little(data + 28, 2));
        layout->Compression = Little(data + 30, 4);
        claimedEntries = Little(data + 46, 4);
        // The masks stand inside the longer headers, after the 40-byte one.
        const bool fields = layout->Compression == BitFields || layout->Compression == AlphaBitFields;
        size_t masks = fields ? (layout->Compression == AlphaBitFields ? 4 : 3) : 0;
        if (headerBytes >= 52)
            masks = headerBytes == 52 ? 3 : 4;
        masksAfterHeader = headerBytes == 40 ? masks * 4 : 0;
        if (size < 54 + masks * 4)
            return false;
        if (fields) {
            for (size_t i = 0; i < masks; ++i)
                layout->Masks[i] = Little(data + 54 + 4 * i, 4);
        }
    } else {
        return false;
    }
    // A top-down file's height is negative, and INT_MIN has no positive twin.
    if (width < 1 || height == 0 || height == INT32_MIN || !KnownDepth(layout->Bits, layout->Compression))
        return false;
    layout->TopDown = height < 0;
    if (layout->TopDown && (layout->Compression == Rle8 || layout->Compression == Rle4))
        return false;
    layout->Width = int(width);
    layout->Height = int(height < 0 ? -height : height);
    // The rows, converted, and the scaler's share of each column and row stay within the bound.
    if (double(layout->Width) * layout->Height * 3 + (double(layout->Width) + layout->Height) * 16 >
        double(MaxDecodeBytes))
        return false;
    if (layout->Compression == Rgb && layout->Bits == 16) {
        const uint32_t fiveFiveFive[4] = {0x7C00, 0x03E0, 0x001F, 0};
        std::copy(fiveFiveFive, fiveFiveFive + 4, layout->Masks);
    } else if (layout->Compression == Rgb && layout->Bits == 32) {
        // The fourth byte is alpha only when some pixel sets it (see HasAlpha).
        const uint32_t bytes[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
        std::copy(bytes, bytes + 4, layout->Masks);
    }
    layout->PaletteAt = 14 + size_t(headerBytes) + masksAfterHeader;
    layout->PixelsAt = Little(data + 10, 4);
    if (layout->PixelsAt < layout->PaletteAt || layout->PixelsAt > size)
        return false;
    if (layout->Bits <= 8) {
        const size_t most = size_t(1) << layout->Bits;
        const size_t claimed = claimedEntries == 0 ? most : std::min(size_t(claimedEntries), most);
        layout->PaletteEntries =
            std::min(claimed, (layout->PixelsAt - layout->PaletteAt) / layout->PaletteEntryBytes);
    }
    return true;
}

// One channel of a bit-field pixel: values of any width (a field over 16 bits loses its low bits)
// scaled to 0..255 through a table.
class Channel {
public:
    explicit Channel(uint32_t mask) {
        if (mask == 0)
            return;
        int top = 31;
        while ((mask >> top & 1) == 0)
            --top;
        while ((mask >> Shift & 1) == 0)
            ++Shift;
        Shift += std::max(0, top - Shift + 1 - 16);
        Max = mask >> Shift;
        Levels.resize(size_t(Max) + 1);
        for (uint32_t v = 0; v <= Max; ++v)
            Levels[v] = uint8_t((uint64_t(v) * 255 + Max / 2) / Max);
    }
    uint8_t operator()(uint32_t pixel) const { return Max == 0 ? 0 : Levels[pixel >> Shift & Max]; }
    bool Present() const { return Max != 0; }

private:
    int Shift = 0;
    uint32_t Max = 0;
    std::vector<uint8_t> Levels;
};

using Palette = uint8_t[256][3];

// Stored rows to RGB: through the palette, as BGR, or through the bit fields.
class RowReader {
public:
    RowReader(const Layout& layout, const uint8_t* data)
        : L(layout), Red(layout.Masks[0]), Green(layout.Masks[1]), Blue(layout.Masks[2]),
          Alpha(layout.Masks[3]) {
        const uint8_t* entry = data + L.PaletteAt;
        for (size_t i = 0; i < L.PaletteEntries; ++i, entry += L.PaletteEntryBytes) {
            Colours[i][0] = entry[2];
            Colours[i][1] = entry[1];
            Colours[i][2] = entry[0];
        }
    }

    uint32_t Pixel(const uint8_t* row, int x) const {
        return L.Bits == 16 ? Little(row + size_t(x) * 2, 2) : Little(row + size_t(x) * 4, 4);
    }

    // A file whose alpha is nought throughout meant no alpha (most 32-bit BI_RGB files).
    bool HasAlpha(const uint8_t* rows, size_t rowBytes) const {
        if (!Alpha.Present())
            return false;
        for (int y = 0; y < L.Height; ++y) {
            for (int x = 0; x < L.Width; ++x) {
                if (Pixel(rows + size_t(y) * rowBytes, x) & L.Masks[3])
                    return true;
            }
        }
        return false;
    }

    void ToRgb(const uint8_t* row, bool alpha, uint8_t* rgb) const {
        const int w = L.Width;
        if (L.Bits <= 8) {
            const int perByte = 8 / L.Bits;
            const int mask = (1 << L.Bits) - 1;
            for (int x = 0; x < w; ++x, rgb += 3) {
                const int shift = 8 - L.Bits * (x % perByte + 1);
                std::memcpy(rgb, Colours[row[x / perByte] >> shift & mask], 3);
            }
        } else if (L.Bits == 24) {
            for (int x = 0; x < w; ++x, row += 3, rgb += 3) {
                rgb[0] = row[2];
                rgb[1] = row[1];
                rgb[2] = row[0];
            }
        } else {
            for (int x = 0; x < w; ++x, rgb += 3) {
                const uint32_t pixel = Pixel(row, x);
                const int a = alpha ? Alpha(pixel) : 255;
                rgb[0] = OverWhite(Red(pixel), a);
                rgb[1] = OverWhite(Green(pixel), a);
                rgb[2] = OverWhite(Blue(pixel), a);
            }
        }
    }

    Palette Colours = {}; // entries past those present stay black

private:
    static uint8_t OverWhite(int value, int alpha) {
        return uint8_t((value * alpha + 255 * (255 - alpha) + 127) / 255);
    }

    const Layout& L;
    Channel Red, Green, Blue, Alpha;
};

bool ReadRows(const Layout& layout, const uint8_t* data, size_t size, const DecodeStop& stop,
              AreaScaler* scaler) {
    const uint64_t rowBytes = (uint64_t(layout.Width) * layout.Bits + 31) / 32 * 4;
    // The last row may lack its padding.
    const uint64_t lastRow = (uint64_t(layout.Width) * layout.Bits + 7) / 8;
    if (layout.PixelsAt + rowBytes * (layout.Height - 1) + lastRow > size)
        return false;
    const RowReader reader(layout, data);
    const uint8_t* rows = data + layout.PixelsAt;
    const bool alpha = layout.Bits >= 16 && reader.HasAlpha(rows, size_t(rowBytes));
    std::vector<uint8_t> rgb(size_t(layout.Width) * 3);
    for (int y = 0; y < layout.Height; ++y) {
        if (stop())
            return false;
        const int stored = layout.TopDown ? y : layout.Height - 1 - y;
        reader.ToRgb(rows + size_t(stored) * rowBytes, alpha, rgb.data());
        scaler->AddRow(rgb.data());
    }
    return true;
}

// RLE8 and RLE4 codes, fed to the scaler bottom row first. A run past the row's end is cut at it; a
// move past the top ends the picture. False when the codes end before the picture does, or when
// stop says so.
bool Unpack(const Layout& layout, const uint8_t* at, const uint8_t* end, const Palette& colours,
            const DecodeStop& stop, AreaScaler* scaler) {
    const bool four = layout.Compression == Rle4;
    const int w = layout.Width;
    std::vector<uint8_t> row(size_t(w) * 3); // black where no code reaches
    bool touched = false;
    int x = 0;
    int y = 0;
    // A few bytes of codes can skip millions of rows: those no code reached add nothing.
    const auto moveUp = [&](int rows) {
        const int to = int(std::min(int64_t(y) + rows, int64_t(layout.Height)));
        for (; y < to; ++y) {
            if (touched) {
                scaler->AddRow(row.data());
                std::fill(row.begin(), row.end(), uint8_t(0));
                touched = false;
            } else {
                scaler->AddBlackRow();
            }
        }
    };
    const auto put = [&](int index) {
        if (x < w) {
            std::memcpy(&row[size_t(x) * 3], colours[index], 3);
            touched = true;
            ++x;
        }
    };
    const auto nibble = [](const uint8_t* bytes, int i) {
        return i % 2 ? bytes[i / 2] & 15 : bytes[i / 2] >> 4;
    };
    // A row may take many codes, and a code many rows: the stop is asked every so many codes.
    for (unsigned codes = 1; y < layout.Height; ++codes) {
        if (end - at < 2 || (codes % 4096 == 0 && stop()))
            return false;
        const int count = at[0];
        const int code = at[1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? (i % 2 ? code & 15 : code >> 4) : code);
        } else if (code == 0) { // end of line
            x = 0;
            moveUp(1);
        } else if (code == 1) { // end of picture
            moveUp(layout.Height);
        } else if (code == 2) { // move right and up
            if (end - at < 2)
                return false;
            x = std::min(x + at[0], w);
            moveUp(at[1]);
            at += 2;
        } else { // as many indices as code says, padded to whole 16-bit words
            const size_t bytes = four ? size_t(code + 1) / 2 : size_t(code);
            if (size_t(end - at) < bytes)
                return false;
            for (int i = 0; i < code; ++i)
                put(four ? nibble(at, i) : at[i]);
            at += std::min((bytes + 1) / 2 * 2, size_t(end - at));
        }
    }
    return true;
}

} // namespace

bool BmpSize(const uint8_t* data, size_t size, int* width, int* height) {
    Layout layout;
    if (!ReadLayout(data, size, &layout))
        return false;
    *width = layout.Width;
    *height = layout.Height;
    return true;
}

bool DecodeBmp(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
               std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    Layout layout;
    if (!ReadLayout(data, size, &layout))
        return false;
    if (layout.Compression == Rle8 || layout.Compression == Rle4) {
        // Fed bottom row first, the picture stands upside down until it is turned.
        AreaScaler scaler = CardScaler(layout.Width, layout.Height, 4, width, height, framing);
        const RowReader reader(layout, data);
        if (!Unpack(layout, data + layout.PixelsAt, data + size, reader.Colours, stop, &scaler))
            return false;
        *pixels = Upright(scaler.Pixels(), width, height, 4);
        return true;
    }
    AreaScaler scaler = CardScaler(layout.Width, layout.Height, 1, width, height, framing);
    if (!ReadRows(layout, data, size, stop, &scaler))
        return false;
    *pixels = scaler.Pixels();
    return true;
}

#include "pictures/ExifOrientation.h"

#include <cstring>

namespace {

// A TIFF block of either byte order, every read checked against its end.
struct Tiff {
    const uint8_t* Data;
    size_t Size;
    bool BigEndian;

    bool Read16(size_t at, unsigned* value) const {
        if (at > Size || Size - at < 2)
            return false;
        *value = BigEndian ? (Data[at] << 8 | Data[at + 1]) : (Data[at + 1] << 8 | Data[at]);
        return true;
    }
    bool Read32(size_t at, size_t* value) const {
        unsigned high = 0;
        unsigned low = 0;
        if (!Read16(at, BigEndian ? &high : &low) || !Read16(at + 2, BigEndian ? &low : &high))
            return false;
        *value = size_t(high) << 16 | low;
        return true;
    }
};

} // namespace

int ExifOrientation(const uint8_t* app1, size_t size) {
    static const char ExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (app1 == nullptr || size < 14 || std::memcmp(app1, ExifHeader, 6) != 0)
        return 1;
    const Tiff tiff = {app1 + 6, size - 6, app1[6] == 'M'};
    unsigned mark = 0;
    size_t directory = 0;
    unsigned count = 0;
    if ((std::memcmp(tiff.Data, "II", 2) != 0 && std::memcmp(tiff.Data, "MM", 2) != 0) ||
        !tiff.Read16(2, &mark) || mark != 42 || !tiff.Read32(4, &directory) ||
        !tiff.Read16(directory, &count))
        return 1;
    for (unsigned i = 0; i < count; ++i) {
        const size_t entry = directory + 2 + size_t(i) * 12;
        unsigned tag = 0;
        unsigned type = 0;
        unsigned value = 0;
        if (!tiff.Read16(entry, &tag) || !tiff.Read16(entry + 2, &type))
            return 1;
        // A SHORT, held in the first two bytes of the entry's value field.
        if (tag == 274)
            return type == 3 && tiff.Read16(entry + 8, &value) && value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}

OrientationTurn TurnOf(int orientation) {
    static const OrientationTurn Turns[9] = {{false, false, false}, {false, false, false}, {false, true, false},
                                             {false, true, true},   {false, false, true},  {true, false, false},
                                             {true, false, true},   {true, true, true},    {true, true, false}};
    return orientation >= 1 && orientation <= 8 ? Turns[orientation] : Turns[1];
}

#include "pictures/ExifOrientation.h"

#include "pictures/ExifReader.h"

int ExifOrientation(const uint8_t* app1, size_t size) {
    return ReadExif(app1, size, nullptr);
}

OrientationTurn TurnOf(int orientation) {
    static const OrientationTurn Turns[9] = {{false, false, false}, {false, false, false}, {false, true, false},
                                             {false, true, true},   {false, false, true},  {true, false, false},
                                             {true, false, true},   {true, true, true},    {true, true, false}};
    return orientation >= 1 && orientation <= 8 ? Turns[orientation] : Turns[1];
}

// Where a face is in a picture, as photo programs tag it and the face finder finds it.
#pragma once

#include <string>

// A box on a picture as fractions of its width and height: the top-left corner and the size. A
// sound box (SoundBox) lies within 0..1 and has a size.
struct FaceBox {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

// The box turned as EXIF orientation (1..8) turns the stored picture upright; other values leave
// it as it is.
FaceBox ShownBox(const FaceBox& stored, int orientation);

// The box cut to the picture, when it is a box at all: finite, of a size above 0.1 % of the
// picture either way once cut. False for anything else (NaN, negative sizes, wholly outside).
bool SoundBox(const FaceBox& box, FaceBox* sound);

// A person a picture names: by a tag with a box round their face, or without one.
struct TaggedPerson {
    std::string Name; // UTF-8, cleaned as a title is; never empty
    bool HasBox = false;
    FaceBox Box;      // on the picture as shown (turned upright), when HasBox
};

// Which people a picture's tags name, and where their faces are, from all that was found of them.
#pragma once

#include <cstddef>
#include <vector>

#include "pictures/PeopleXmp.h"
#include "pictures/PictureInfo.h"

// Bounds on what a picture keeps: people, their names' length, tagged faces.
constexpr size_t MaxPeople = 64;
constexpr size_t MaxPersonNameBytes = 256;
constexpr size_t MaxTaggedFaces = 64;

// Fills info's People and TaggedFaces from found (in the order it was read: the file's, then its
// sidecars'): the more trusted sources first (PeopleSource's order), each name cleaned as a title is
// and kept once whatever its letter case, with the box of its most trusted tag that has a sound one;
// each sound box once (two within 0.02 of each other are one face). Boxes are turned upright by the
// EXIF orientation; boxes in pixels are scaled by the stored picture's size, and have none when it
// is not known (0).
void ChoosePeople(std::vector<FoundPerson> found, int orientation, int storedWidth, int storedHeight,
                  PictureInfo* info);

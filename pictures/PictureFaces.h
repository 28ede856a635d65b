// A picture's faces for the people's index: those the finder finds and those its tags box, each
// with the name its tag gives and what the descriptor makes of it.
#pragma once

#include <cstddef>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/FaceFinder.h"
#include "pictures/FaceIndexStore.h"
#include "pictures/PeopleChoice.h"

// The most a picture gives: all the finder finds and all its tags box.
constexpr size_t MaxPictureFaces = MaxFoundFaces + MaxTaggedFaces;

// The faces of the picture file at path, decoded once at the face finder's search size (upright):
// the faces found, largest first, then the boxes its tags give that no found face lies in. A tagged
// box over a found face is that face and gives it its name (the most trusted tag's, when two box
// it); a picture whose tags name one person and box no face gives its one face that name. Each face
// is described (none when the models are not loaded: LoadFaceModels). False when the picture does
// not decode, or stop said so part-way (it is asked between faces too); faces is then empty.
bool ReadPictureFaces(const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces);

// Faces found in a picture by dlib's frontal face detector (HOG filters over an image pyramid).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/FaceBox.h"

// The shorter side, in pixels, a picture is searched for faces at: the detector finds faces of about 80 px
// and larger there.
constexpr int FaceSearchSide = 800;
// The size to decode a width x height picture (as shown) at for the search: its shorter side FaceSearchSide,
// never larger than the picture itself, proportions kept.
void FaceSearchSize(int width, int height, int* searchWidth, int* searchHeight);
// The faces in upright pixels (width x height, 0x00RRGGBB as uint32_t, top row first), as boxes in fractions
// of the picture, the largest first, at most MaxFoundFaces. Safe to call from several threads at once (one
// detector per thread, made on first use).
constexpr size_t MaxFoundFaces = 32;
std::vector<FaceBox> FindFaces(const uint32_t* pixels, int width, int height);
// The picture as it was searched: upright, FaceSearchSize of its shown size.
struct SearchedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

// The faces of the picture file at path: decoded (by DecodePicture, whole, stretched to FaceSearchSize of its
// shown size, so proportions kept) and searched. False when it does not decode or stop said so part-way.
// When searched is given it receives the pixels searched, from which a card the faces frame can be cut
// without decoding the file again.
bool FindFacesInPicture(const char* path, const DecodeStop& stop, std::vector<FaceBox>* faces,
                        SearchedPicture* searched = nullptr);

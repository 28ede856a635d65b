// The game's own picture decoder: a file and a card size in, card pixels or "not a picture" out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"
#include "pictures/PictureInfo.h"

// Decodes the picture file at path for a width x height card: scaled whole to it (proportions not
// kept), or its part of the card's shape (framing); pixels: width*height 32-bit BGRX (0x00RRGGBB as
// uint32_t), top row first. False: "not a picture", or stop said so part-way (everything the decode held is
// then freed). When info is given, what the picture carries of itself is read into it from the same bytes,
// with the people its sidecars and JSON beside it name (ReadPictureInfoBeside).
bool DecodePicture(const char* path, int width, int height, const CardFraming& framing,
                   std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop(),
                   PictureInfo* info = nullptr);

// The whole file at path (a narrow path, as the folder scan found it), when it can be read and is
// no larger than a picture may be.
bool ReadPictureFile(const char* path, std::vector<uint8_t>* bytes);

// The same for a file's bytes held in memory: the whole path behind DecodePicture.
bool DecodePictureData(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                       std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop());

// A card framed again by the faces the game finds in its picture.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"

// The framing faces give a card framed so far: a kept shape holds them; a person tagged without a
// box takes the face when the picture shows exactly one.
CardFraming FramedByFaces(const CardFraming& framing, bool unboxedPerson, const std::vector<FaceBox>& faces);

// The faces of the picture at path, sought unless known says they are in faces already, and the
// width x height card cut for the framing they give: from the pixels searched where those hold the
// card's part at its size, else decoded from the file again. pixels is left empty when no face was
// found. False when the search failed or stop said so.
bool FrameByFaces(const char* path, const CardFraming& framing, bool unboxedPerson, int width, int height,
                  const DecodeStop& stop, bool known, std::vector<FaceBox>* faces,
                  std::vector<uint32_t>* pixels);

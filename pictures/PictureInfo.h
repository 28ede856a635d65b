// What a picture says of itself besides its pixels: the title, the date and the people it carries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/FaceBox.h"

struct PictureInfo {
    std::string Title; // UTF-8, the title the picture carries; empty when it carries none
    std::string Taken; // when it was taken, "YYYY-MM-DD"; empty when it does not say
    std::vector<TaggedPerson> People; // the people its tags name, each once, most trusted first
    std::vector<FaceBox> TaggedFaces; // every face its tags box, named or not, on the picture as shown
};

// Reads the title, date and people from the picture file at path without decoding its pixels, and
// the people its XMP sidecars and Google Photos' JSON beside it name (docs/pictures.md); an empty
// info when the file carries none or cannot be read.
PictureInfo ReadPictureInfo(const std::string& path);

// The same for the file at path whose bytes are already read.
PictureInfo ReadPictureInfoBeside(const std::string& path, const uint8_t* data, size_t size);

// What a file's bytes held in memory carry, nothing beside them: EXIF and XMP wherever its format
// keeps them (JPEG with its extended XMP, PNG, WebP, HEIF, TIFF; on Windows what the system's codecs
// read of the other formats), chosen from as PictureFacts.h and PeopleChoice.h say.
PictureInfo ReadPictureInfoData(const uint8_t* data, size_t size);

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

// Reads the title and date from the picture file at path without decoding its pixels; an empty
// info when the file carries none or cannot be read.
PictureInfo ReadPictureInfo(const std::string& path);

// The same for a file's bytes held in memory: EXIF and XMP wherever its format keeps them (JPEG,
// PNG, WebP, HEIF; on Windows what the system's codecs read of the other formats), chosen from as
// PictureFacts.h says.
PictureInfo ReadPictureInfoData(const uint8_t* data, size_t size);

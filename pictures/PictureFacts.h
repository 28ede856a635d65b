// What a picture's metadata says of it, as found, and the rules that make its name and date of it.
#pragma once

#include <cstddef>
#include <string>

#include "pictures/PictureInfo.h"

// Bounds on what is read: a longer title is cut at a character's boundary, a larger XMP packet or
// EXIF block is not read at all.
constexpr size_t MaxTitleBytes = 1024;
constexpr size_t MaxXmpBytes = size_t(1) << 20;
constexpr size_t MaxExifBytes = size_t(1) << 20;

// The fields as stored, each bounded where it was read.
struct CarriedFacts {
    std::string XmpTitle;    // XMP dc:title in its default language, UTF-8
    std::string XpTitle;     // EXIF XPTitle, UTF-16LE bytes
    std::string Description; // EXIF ImageDescription
    std::string ExifTaken;   // EXIF DateTimeOriginal, "YYYY:MM:DD HH:MM:SS"
    std::string XmpTaken;    // XMP exif:DateTimeOriginal, ISO 8601
    std::string XmpCreated;  // XMP photoshop:DateCreated, ISO 8601
    std::string XmpExtension; // XMP xmpNote:HasExtendedXMP, the GUID of a JPEG's extended XMP
};

// The title as Explorer shows it (XMP dc:title, else XPTitle, else ImageDescription unless it is
// a camera's placeholder) and the date taken (EXIF DateTimeOriginal, else XMP exif:DateTimeOriginal,
// else photoshop:DateCreated), each left empty when none is there or it is broken.
PictureInfo ChooseInfo(const CarriedFacts& facts);

// text cut to at most maxBytes without splitting a UTF-8 character.
std::string ClipUtf8(const std::string& text, size_t maxBytes);

// A title as it is shown: valid UTF-8, cut at its first zero, line breaks and other control
// characters as spaces, no spaces around it, at most MaxTitleBytes. Empty when broken or blank.
std::string CleanTitle(const std::string& raw);

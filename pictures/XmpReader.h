// XMP through expat: the title and the dates a packet carries, and the extension it names.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pictures/PictureFacts.h"

// Reads an XMP packet (at most MaxXmpBytes) into facts: dc:title in its default language
// (x-default, else its first), exif:DateTimeOriginal and photoshop:DateCreated, as elements or as
// attributes, and xmpNote:HasExtendedXMP. A packet with a document type declaration, hence any
// entity declaration, is refused whole; no entity is expanded and nothing is fetched. Malformed XML
// leaves what it held before the fault unread too.
void ReadXmp(const uint8_t* packet, size_t size, CarriedFacts* facts);

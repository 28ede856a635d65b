// A picture file's metadata as its container holds it, before it is read: what each format's file
// of ours (the one that owns its library) finds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct MetadataBlocks {
    std::string Exif; // "Exif\0\0" and a TIFF header, at most MaxExifBytes; empty when none
    std::string Xmp;  // the XMP packet, at most MaxXmpBytes; empty when none
    // A JPEG's extended XMP segments, each after its mark (a GUID, the full length, an offset and
    // a part), in the file's order; at most MaxExtensionSegments.
    std::vector<std::string> XmpExtension;
};

constexpr size_t MaxExtensionSegments = 40;

// The EXIF, XMP and extended XMP of a JPEG's APP1 segments, read from its headers alone.
void JpegMetadata(const uint8_t* data, size_t size, MetadataBlocks* blocks);
// A PNG's eXIf chunk and its XMP iTXt chunk ("XML:com.adobe.xmp") before the image data.
void PngMetadata(const uint8_t* data, size_t size, MetadataBlocks* blocks);
// A WebP's EXIF and XMP chunks.
void WebpMetadata(const uint8_t* data, size_t size, MetadataBlocks* blocks);
// The Exif and XMP items of a HEIF's primary image.
void HeifMetadata(const uint8_t* data, size_t size, MetadataBlocks* blocks);

// The EXIF block of TIFF bytes found without the "Exif\0\0" mark, which libexif wants; bounded.
std::string ExifBlockOfTiff(const uint8_t* tiff, size_t size);

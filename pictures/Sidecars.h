// Files kept beside a picture that say more of it: XMP sidecars, and the reading of such small files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Where photo programs keep a picture's XMP beside it: "photo.jpg.xmp" (digiKam, darktable), then
// "photo.xmp" (Adobe's).
std::vector<std::string> SidecarPaths(const std::string& picture);

// The whole of a small file into bytes; false, mostly without opening it, for a folder, anything
// but a plain file, a file larger than maxBytes, one kept only in the cloud (opening it would
// download it) or one that cannot be read. The path is narrow as ReadPictureFile's is.
bool ReadSmallFile(const std::string& path, size_t maxBytes, std::string* bytes);

// Which names in the picture folder are pictures.
#pragma once

#include <string>
#include <vector>

// The extensions that count, each a full stop and lower-case letters: ".jpg", ".jpeg", ".png",
// ".bmp", ".gif", ".webp", ".heic", ".heif" to begin with. Start-up adds those of the decoders it finds, before the
// first scan; a scan takes a copy, so nothing changes it while one runs.
extern std::vector<std::string> PictureExtensions;

// Adds an extension given as ".tif", "tif" or ".TIF"; one already listed or empty is not added again.
void AddPictureExtension(const std::string& extension);

// True when the long file name ends in exactly the extension, in any letter case. A search for
// "*.jpg" also finds "backup.jpgold" through its 8.3 alias; this tells them apart.
bool HasPictureExtension(const char* fileName, const char* extension);

// True when the name ends in one of the extensions.
bool IsPictureName(const std::string& fileName, const std::vector<std::string>& extensions);

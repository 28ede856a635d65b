// Which names in the picture folder are pictures.
#pragma once

// The folder is searched for these extensions, in this order.
const char* const PictureExtensions[] = {".jpg", ".jpeg", ".png", ".bmp", ".gif", ".webp", ".heic", ".heif"};

// True when the long file name ends in exactly the extension, in any letter case. A search for
// "*.jpg" also finds "backup.jpgold" through its 8.3 alias; this tells them apart.
bool HasPictureExtension(const char* fileName, const char* extension);

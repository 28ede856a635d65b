// Collecting the pictures of the picture folder.
#pragma once

// Appends to PictureList the full path of every file of PicturePath that matches one of
// PictureExtensions, pattern by pattern in that order. Only files whose own extension is exactly
// the pattern's count; what they hold is the decoder's business.
void ScanPictures();

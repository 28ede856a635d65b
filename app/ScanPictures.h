// Collecting the pictures of the picture folder.
#pragma once

// Appends to PictureList the full path of every match of "*.jpg", "*.jpeg", "*.png" and "*.bmp"
// in PicturePath, pattern by pattern in that order. Nothing but the name is checked.
void ScanPictures();

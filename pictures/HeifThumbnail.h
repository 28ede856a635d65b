// Whether a HEIF file's own thumbnail can stand for its primary image on a card.
#pragma once

// True when a thumbnail of thumbnailWidth x thumbnailHeight, as shown, covers a width x height card
// and has the shape of its primaryWidth x primaryHeight primary image. A thumbnail of another shape
// is taken for one not turned like its primary (some files rotate only the primary), so the primary
// is decoded instead.
bool UseHeifThumbnail(int thumbnailWidth, int thumbnailHeight, int primaryWidth, int primaryHeight, int width,
                      int height);

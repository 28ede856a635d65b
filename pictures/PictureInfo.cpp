#include "pictures/PictureInfo.h"

// No metadata reader yet: every picture goes by its file name.
PictureInfo ReadPictureInfo(const std::string&)
{
    return PictureInfo();
}

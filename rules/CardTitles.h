// The name each dealt picture goes by: the title it carries, else its file name. A screen reader
// says it and a name card shows it; the large view captions a picture by its own name whatever its
// card shows.
#pragma once

#include <string>
#include <vector>

#include "pictures/PictureBatch.h"

// A picture's file name without its folder and extension ("C:\p\Beach.jpg" is "Beach"); a name
// that would be left empty (".jpg") is kept whole.
std::string PictureTitle(const std::string& path);

// Sets CardTitles: the name of each dealt picture number, the title it carries, else the file
// name of the list entry it was decoded from; numbers left without a picture get an empty name.
void TitleCards(const std::vector<std::string>& list, const std::vector<DecodedPicture>& pictures);

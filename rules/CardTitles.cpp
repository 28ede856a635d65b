#include "rules/CardTitles.h"

#include "rules/GameState.h"

std::string PictureTitle(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void TitleCards(const std::vector<std::string>& list, const std::vector<DecodedPicture>& pictures) {
    for (size_t number = 1; number < CardImageCount; ++number) {
        const bool decoded = number <= pictures.size() && pictures[number - 1].Entry < list.size();
        if (!decoded) {
            CardTitles[number].clear();
            continue;
        }
        const DecodedPicture& picture = pictures[number - 1];
        CardTitles[number] = picture.Info.Title.empty() ? PictureTitle(list[picture.Entry]) : picture.Info.Title;
    }
}

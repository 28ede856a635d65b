#include "app/PictureExtensions.h"

#include <algorithm>
#include <cstring>

std::vector<std::string> PictureExtensions = {".jpg", ".jpeg", ".png", ".bmp", ".gif", ".webp", ".heic", ".heif"};

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

void AddPictureExtension(const std::string& extension) {
    std::string lower = extension[0] == '.' || extension.empty() ? extension : "." + extension;
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    if (lower.size() > 1 &&
        std::find(PictureExtensions.begin(), PictureExtensions.end(), lower) == PictureExtensions.end())
        PictureExtensions.push_back(lower);
}

bool HasPictureExtension(const char* fileName, const char* extension) {
    const size_t nameLength = strlen(fileName);
    const size_t extensionLength = strlen(extension);
    if (nameLength < extensionLength)
        return false;
    const char* tail = fileName + nameLength - extensionLength;
    for (size_t i = 0; i < extensionLength; ++i) {
        if (LowerAscii(tail[i]) != LowerAscii(extension[i]))
            return false;
    }
    return true;
}

bool IsPictureName(const std::string& fileName, const std::vector<std::string>& extensions) {
    return std::any_of(extensions.begin(), extensions.end(), [&fileName](const std::string& extension) {
        return HasPictureExtension(fileName.c_str(), extension.c_str());
    });
}

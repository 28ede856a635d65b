#include "app/PictureNames.h"

#include <cstring>

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

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

#include "app/ScanPictures.h"

#include <windows.h>

#include "app/PathText.h"
#include "app/Settings.h"
#include "app/StartupData.h"

namespace {

const char* const PicturePatterns[] = {"\\*.jpg", "\\*.jpeg", "\\*.png", "\\*.bmp"};

void ScanPattern(const char* pattern) {
    char path[PathTextSize];
    ComposeSearchText(path, PicturePath, pattern);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        ComposeFullName(path, PicturePath, found.cFileName);
        PictureList.push_back(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

void ScanPictures() {
    for (const char* pattern : PicturePatterns)
        ScanPattern(pattern);
}

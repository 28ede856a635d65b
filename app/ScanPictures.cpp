#include "app/ScanPictures.h"

#include <windows.h>

#include "app/PathText.h"
#include "app/PictureNames.h"
#include "app/Settings.h"
#include "app/StartupData.h"

namespace {

// Folders named like pictures and names matched only through their 8.3 alias are passed over.
bool IsPictureFile(const WIN32_FIND_DATAA& found, const char* extension) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           HasPictureExtension(found.cFileName, extension);
}

void ScanExtension(const char* extension) {
    char path[PathTextSize];
    ComposeSearchText(path, PicturePath, "\\*");
    AppendPathText(path, extension);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!IsPictureFile(found, extension))
            continue;
        ComposeFullName(path, PicturePath, found.cFileName);
        PictureList.push_back(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

void ScanPictures() {
    for (const std::string& extension : PictureExtensions)
        ScanExtension(extension.c_str());
}

#include "app/GivenFolder.h"

#include <utility>
#include <vector>

#include "app/PictureExtensions.h"
#include "app/PictureShortfall.h"
#include "app/ScanPictures.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/StartupScan.h"
#include "app/Texts.h"
#include "res/resource.h"
#include "rules/Deal.h"

namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), length, &full[0], nullptr));
    return full;
}

bool IsPictureFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           IsPictureName(NarrowText(path, CP_UTF8), PictureExtensions);
}

} // namespace

std::wstring FolderOfGiven(const std::wstring& given) {
    const std::wstring full = WithoutTrailingSeparator(FullPath(given));
    return IsPictureFile(full) ? FolderOfFile(full) : full;
}

GivenFolderResult TakeGivenFolder(HWND window, const std::wstring& given, std::vector<std::string>* scanned) {
    const std::wstring wide = FolderOfGiven(given);
    if (wide.empty())
        return GivenFolderResult::TooFew;
    std::string folder;
    if (!StorablePicturePath(wide, &folder))
        return GivenFolderResult::TooLong;
    WalkRequest request = PictureRequest();
    request.Folder = folder;
    std::vector<std::string> pictures;
    if (!ScanWhileWindowLives(window, request, &pictures))
        return GivenFolderResult::WindowClosed;
    if (!Shortfall(pictures, IDS_NOT_ENOUGH).empty()) {
        if (scanned != nullptr)
            *scanned = std::move(pictures);
        return GivenFolderResult::TooFew;
    }
    CopyPathText(PicturePath, folder.c_str());
    PictureList = std::move(pictures);
    ListFolder = PicturePath;
    ListSubfolders = Subfolders;
    return GivenFolderResult::Taken;
}

UINT RefusalText(GivenFolderResult result) {
    return result == GivenFolderResult::TooLong ? IDS_PATH_TOO_LONG : IDS_NOT_ENOUGH;
}

std::wstring RefusalMessage(GivenFolderResult result, const std::vector<std::string>& scanned) {
    const std::wstring shortfall = Shortfall(scanned, RefusalText(result));
    return shortfall.empty() ? LoadText(RefusalText(result)) : shortfall;
}

#include "app/ScanPictures.h"

#include <windows.h>

#include <cstring>

#include "app/PathText.h"
#include "app/PictureNames.h"
#include "app/Settings.h"
#include "app/StartupData.h"

namespace {

// The text in the process's code page; false when it cannot hold every character exactly (on a
// code page other than UTF-8, or a name with a lone surrogate). ASCII is the same in every one.
bool NarrowExactly(const wchar_t* wide, std::string* narrow) {
    narrow->clear();
    const wchar_t* c = wide;
    for (; *c != L'\0' && *c < 0x80; ++c)
        narrow->push_back(static_cast<char>(*c));
    if (*c == L'\0')
        return true;
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return false;
    narrow->resize(static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &(*narrow)[0], length, nullptr, nullptr);
    narrow->pop_back();
    wchar_t back[MAX_PATH];
    return MultiByteToWideChar(CP_ACP, 0, narrow->c_str(), -1, back, MAX_PATH) > 0 && lstrcmpW(back, wide) == 0;
}

std::wstring Widen(const std::string& narrow) {
    const int length = MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, &wide[0], length);
    wide.pop_back();
    return wide;
}

// The 128-bit identity where the file system gives one (Windows 8 on; one query under Wine, where
// the volume's serial number costs several), else the 64-bit one.
bool IdentifyOpen(HANDLE handle, FolderIdentity* identity) {
    FILE_ID_INFO id;
    if (GetFileInformationByHandleEx(handle, FileIdInfo, &id, sizeof(id))) {
        identity->Volume = id.VolumeSerialNumber;
        memcpy(identity->Index, id.FileId.Identifier, sizeof(identity->Index));
        return true;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(handle, &information))
        return false;
    identity->Volume = information.dwVolumeSerialNumber;
    identity->Index[0] = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    identity->Index[1] = 0;
    return true;
}

// Each folder is read once, by one search on "*" that fetches the long names alone in large
// batches; the names are matched in code.
class DiskFolders : public FolderSource {
public:
    explicit DiskFolders(const std::atomic<bool>& stop) : Stop(stop) {}

    bool Identify(const std::string& folder, FolderIdentity* identity) override {
        // No access asked: a handle for metadata alone, which Wine opens several times faster.
        const HANDLE handle = CreateFileW(Widen(folder).c_str(), 0,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        const bool known = IdentifyOpen(handle, identity);
        CloseHandle(handle);
        return known;
    }

    bool List(const std::string& folder, std::vector<FolderEntry>* entries) override {
        std::wstring pattern = Widen(folder);
        if (pattern.empty())
            return false;
        pattern += pattern.back() == L'\\' || pattern.back() == L'/' ? L"*" : L"\\*";
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                               nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (search == INVALID_HANDLE_VALUE)
            return false;
        FolderEntry entry;
        do {
            if (lstrcmpW(found.cFileName, L".") == 0 || lstrcmpW(found.cFileName, L"..") == 0 ||
                !NarrowExactly(found.cFileName, &entry.Name))
                continue;
            entry.Attributes = found.dwFileAttributes;
            entries->push_back(entry);
        } while (!Stop.load(std::memory_order_relaxed) && FindNextFileW(search, &found));
        FindClose(search);
        return true;
    }

private:
    const std::atomic<bool>& Stop;
};

} // namespace

std::vector<std::string> FindPictures(const WalkRequest& request, const std::atomic<bool>& stop,
                                      std::atomic<size_t>& found) {
    DiskFolders disk(stop);
    return WalkPictures(request, disk, stop, found);
}

WalkRequest PictureRequest() {
    return {PicturePath, Subfolders == 1, PictureExtensions, PathTextSize - 1};
}

void ScanPictures() {
    const std::atomic<bool> stop(false);
    std::atomic<size_t> found(0);
    std::vector<std::string> pictures = FindPictures(PictureRequest(), stop, found);
    PictureList.insert(PictureList.end(), pictures.begin(), pictures.end());
}

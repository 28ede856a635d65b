#include "app/ScanPictures.h"

#include <windows.h>
#include <winternl.h>

#include "app/PathText.h"
#include "app/PictureNames.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/Texts.h"

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
    return MultiByteToWideChar(CP_ACP, 0, narrow->c_str(), -1, back, MAX_PATH) > 0 &&
           lstrcmpW(back, wide) == 0;
}

// A handle for the folder's metadata: Wine opens one that asks no access several times faster.
HANDLE OpenFolder(const std::string& folder, DWORD access) {
    return CreateFileW(WideText(folder, CP_ACP).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The volume's serial number and the folder's index; the volume is asked for its serial number,
// under Wine a round trip to its mount manager that costs several folder reads.
bool IdentifyFully(HANDLE handle, FolderIdentity* identity) {
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(handle, &information))
        return false;
    identity->Volume = information.dwVolumeSerialNumber;
    identity->Index = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

// The index alone: NtQueryInformationFile's FileInternalInformation, which needs no access.
using QueryFileFunction = LONG(WINAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);
const int FileInternalInformation = 6;

QueryFileFunction FindQueryFile() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr ? reinterpret_cast<QueryFileFunction>(
                                  reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationFile")))
                            : nullptr;
}

// Each folder is read once, by one search on "*" that fetches the long names alone in large
// batches; the names are matched in code.
class DiskFolders : public FolderSource {
public:
    explicit DiskFolders(const std::atomic<bool>& stop)
        : Stop(stop), QueryFile(FindQueryFile()), VolumeKnown(false), Volume(0) {}

    // Every folder the walk enters lies on the chosen folder's volume: only a reparse point (a
    // mount point) leads onto another, and the walk enters none. So the volume is asked once, for
    // the chosen folder, and each folder for its index alone.
    bool Identify(const std::string& folder, FolderIdentity* identity) override {
        const bool whole = !VolumeKnown || QueryFile == nullptr;
        const HANDLE handle = OpenFolder(folder, whole ? FILE_READ_ATTRIBUTES : 0);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        bool known = false;
        if (whole) {
            known = IdentifyFully(handle, identity);
            VolumeKnown = VolumeKnown || known;
            Volume = known ? identity->Volume : Volume;
        } else {
            IO_STATUS_BLOCK status;
            LARGE_INTEGER index = {};
            known = QueryFile(handle, &status, &index, sizeof(index), FileInternalInformation) >= 0;
            *identity = {Volume, static_cast<uint64_t>(index.QuadPart)};
        }
        CloseHandle(handle);
        return known;
    }

    bool List(const std::string& folder, std::vector<FolderEntry>* entries) override {
        std::wstring pattern = WideText(folder, CP_ACP);
        if (pattern.empty())
            return false;
        pattern += pattern.back() == L'\\' || pattern.back() == L'/' ? L"*" : L"\\*";
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                               FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
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
    const QueryFileFunction QueryFile; // null where ntdll has none
    bool VolumeKnown;
    uint64_t Volume;
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

#include "app/ScanPictures.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>

#include "app/CrashRecord.h"
#include "app/PathText.h"
#include "app/PictureExtensions.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/Texts.h"

namespace {

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

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

// The list's folder holds the picture: directly, or below it when the list took subfolders.
bool InListFolder(const std::string& picture) {
    const std::wstring folder = WithoutTrailingSeparator(WideText(ListFolder, CP_ACP));
    std::wstring in = FolderOfFile(WideText(picture, CP_ACP));
    if (folder.empty() || in.empty())
        return false;
    while (ListSubfolders == 1 && in.size() > folder.size() && !SamePath(in, folder))
        in = FolderOfFile(in);
    return SamePath(in, folder);
}

} // namespace

std::vector<std::string> FindPictures(const WalkRequest& request, const std::atomic<bool>& stop,
                                      std::atomic<size_t>& found) {
    DiskFolders disk(stop);
    std::vector<std::string> pictures = WalkPictures(request, disk, stop, found);
    LeaveOutCrashed(&pictures);
    return pictures;
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

void TakeBackIntoList(const std::vector<std::string>& pictures) {
    for (const std::string& picture : pictures)
        if (InListFolder(picture) && std::find(PictureList.begin(), PictureList.end(), picture) == PictureList.end())
            PictureList.push_back(picture);
}

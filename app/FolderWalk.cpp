#include "app/FolderWalk.h"

#include <algorithm>
#include <set>

#include "app/PictureExtensions.h"

namespace {

const uint32_t CloudOnly =
    FileAttribute::Offline | FileAttribute::RecallOnOpen | FileAttribute::RecallOnDataAccess;
const uint32_t NotEntered = FileAttribute::Hidden | FileAttribute::System | FileAttribute::ReparsePoint;

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names as a listing sorted by name shows them, in any letter case; the file system's own order
// differs from one kind of volume to another.
bool NameBefore(const FolderEntry& a, const FolderEntry& b) {
    const auto folded = std::mismatch(a.Name.begin(), a.Name.end(), b.Name.begin(), b.Name.end(),
                                      [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
    if (folded.first == a.Name.end() || folded.second == b.Name.end())
        return a.Name.size() != b.Name.size() ? a.Name.size() < b.Name.size() : a.Name < b.Name;
    return FoldAscii(*folded.first) < FoldAscii(*folded.second);
}

std::string ChildPath(const std::string& folder, const std::string& name) {
    const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    return separated ? folder + name : folder + "\\" + name;
}

bool IsFolder(const FolderEntry& entry) {
    return (entry.Attributes & FileAttribute::Directory) != 0;
}

// A file counts when its name is a picture's and its data are on this device.
bool CountsAsPicture(const FolderEntry& entry, const std::vector<std::string>& extensions) {
    return !IsFolder(entry) && (entry.Attributes & CloudOnly) == 0 && IsPictureName(entry.Name, extensions);
}

// Links, junctions and mount points may lead back up the tree or onto another volume; hidden and
// system folders hold what the player does not see as their pictures.
bool IsEntered(const FolderEntry& entry) {
    return IsFolder(entry) && (entry.Attributes & NotEntered) == 0;
}

struct PendingFolder {
    std::string Path;
    int Depth;
};

} // namespace

std::vector<std::string> WalkPictures(const WalkRequest& request, FolderSource& source,
                                      const std::atomic<bool>& stop, std::atomic<size_t>& found) {
    std::vector<std::string> pictures;
    std::set<FolderIdentity> walked;
    std::vector<PendingFolder> pending = {{request.Folder, 0}};
    std::vector<FolderEntry> entries;
    while (!pending.empty() && !stop.load(std::memory_order_relaxed)) {
        const PendingFolder folder = std::move(pending.back());
        pending.pop_back();
        // A second guard against loops, for links that do not say they are reparse points.
        FolderIdentity identity;
        if (source.Identify(folder.Path, &identity) && !walked.insert(identity).second)
            continue;
        entries.clear();
        if (!source.List(folder.Path, &entries))
            continue;
        std::sort(entries.begin(), entries.end(), NameBefore);
        const size_t firstChild = pending.size();
        for (const FolderEntry& entry : entries) {
            const std::string path = ChildPath(folder.Path, entry.Name);
            if (path.size() > request.MaxPath)
                continue;
            if (CountsAsPicture(entry, request.Extensions)) {
                pictures.push_back(path);
                found.store(pictures.size(), std::memory_order_relaxed);
            } else if (request.Subfolders && folder.Depth < MaxFolderDepth && IsEntered(entry)) {
                pending.push_back({path, folder.Depth + 1});
            }
        }
        // Taken from the back: reversed, the first subfolder is walked first.
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstChild), pending.end());
    }
    return pictures;
}

// Which files of a picture folder, and of its subfolders when asked, the scan lists: the rules of
// the walk, apart from the file system, which a FolderSource stands for.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// The file attributes the walk looks at, with Windows' values.
namespace FileAttribute {
const uint32_t Hidden = 0x2;
const uint32_t System = 0x4;
const uint32_t Directory = 0x10;
const uint32_t ReparsePoint = 0x400;
const uint32_t Offline = 0x1000;
const uint32_t RecallOnOpen = 0x40000;
const uint32_t RecallOnDataAccess = 0x400000;
} // namespace FileAttribute

// One name of a folder as the list will hold it, "." and ".." excluded, with its attributes.
struct FolderEntry {
    std::string Name;
    uint32_t Attributes;
};

// A folder as the file system knows it, whatever path leads there.
struct FolderIdentity {
    uint64_t Volume;
    uint64_t Index;
    bool operator<(const FolderIdentity& other) const {
        return Volume != other.Volume ? Volume < other.Volume : Index < other.Index;
    }
};

class FolderSource {
public:
    virtual ~FolderSource() = default;
    // The folder's identity; false when it cannot be told.
    virtual bool Identify(const std::string& folder, FolderIdentity* identity) = 0;
    // Every entry of the folder; false when it cannot be read.
    virtual bool List(const std::string& folder, std::vector<FolderEntry>* entries) = 0;
};

// Subfolders deeper than this under the chosen folder are not entered.
const int MaxFolderDepth = 32;

// What one scan is asked and what it tells while it runs. Stop may be set from another thread at
// any time; Found counts the pictures listed so far, for another thread to read.
struct WalkRequest {
    std::string Folder;
    bool Subfolders;
    std::vector<std::string> Extensions;
    size_t MaxPath; // a path longer than this cannot be opened and is not listed
};

// The full paths of the pictures under the request's folder: its files, then (when asked)
// depth-first those of its subfolders, each folder's names in a fixed order, so a tree gives the
// same list every time. Cloud-only files are left out, since opening one downloads it; hidden,
// system and reparse-point subfolders are not entered, nor one already walked.
std::vector<std::string> WalkPictures(const WalkRequest& request, FolderSource& source,
                                      const std::atomic<bool>& stop, std::atomic<size_t>& found);

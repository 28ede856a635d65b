// The walk's rules on a fake tree: which folders are entered, which files count, and the order.
#include "app/FolderWalk.h"
#include "app/PictureExtensions.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace FileAttribute;

// Folders by path: each with an identity (its index; 0 = none to tell) and its entries. A path
// it does not hold cannot be read.
class FakeFolders : public FolderSource {
public:
    struct Folder {
        uint64_t Index;
        std::vector<FolderEntry> Entries;
    };
    std::map<std::string, Folder> Tree;

    bool Identify(const std::string& folder, FolderIdentity* identity) override {
        const auto found = Tree.find(folder);
        if (found == Tree.end() || found->second.Index == 0)
            return false;
        *identity = {7, found->second.Index};
        return true;
    }
    bool List(const std::string& folder, std::vector<FolderEntry>* entries) override {
        const auto found = Tree.find(folder);
        if (found == Tree.end())
            return false;
        *entries = found->second.Entries;
        return true;
    }
};

std::vector<std::string> Walk(FakeFolders& folders, bool subfolders, const std::string& root = "R") {
    const std::atomic<bool> stop(false);
    std::atomic<size_t> found(0);
    std::vector<std::string> list =
        WalkPictures({root, subfolders, PictureExtensions, 259}, folders, stop, found);
    EXPECT_EQ(found.load(), list.size());
    return list;
}

TEST(FolderWalk, EntersOnlyPlainFoldersAndTakesOnlyLocalPictures) {
    FakeFolders folders;
    folders.Tree["R"] = {1,
                         {{"z.JPG", 0},
                          {"Trip", Directory},
                          {"a.png", Hidden}, // a hidden file still counts, as it always did
                          {"cloud.jpg", RecallOnDataAccess},
                          {"pinned.jpg", RecallOnOpen | Offline},
                          {"named.jpg", Directory | Hidden},
                          {"notes.txt", 0},
                          {"Hidden", Directory | Hidden},
                          {"System", Directory | System},
                          {"link", Directory | ReparsePoint},
                          {"b", Directory},
                          {"gone", Directory}}};
    folders.Tree["R\\b"] = {2, {{"c.bmp", 0}, {"d", Directory}}};
    folders.Tree["R\\b\\d"] = {3, {{"e.gif", 0x20}}};
    folders.Tree["R\\Trip"] = {4, {{"f.webp", 0}, {"g.jpeg", ReparsePoint}}};
    for (const char* skipped : {"R\\Hidden", "R\\System", "R\\link", "R\\named.jpg"})
        folders.Tree[skipped] = {9, {{"x.jpg", 0}}};

    EXPECT_EQ(Walk(folders, false), (std::vector<std::string>{"R\\a.png", "R\\z.JPG"}));
    // An unreadable folder ("gone") is passed over, and the walk goes on with the next.
    EXPECT_EQ(Walk(folders, true),
              (std::vector<std::string>{"R\\a.png", "R\\z.JPG", "R\\b\\c.bmp", "R\\b\\d\\e.gif",
                                        "R\\Trip\\f.webp", "R\\Trip\\g.jpeg"}));
}

// A link back up that does not say it is one is known by the folder it leads to; nothing is
// entered deeper than the limit; a stop is heeded.
TEST(FolderWalk, StopsAtLoopsAndAtTheDepthLimit) {
    FakeFolders loop;
    loop.Tree["L"] = {1, {{"a.jpg", 0}, {"up", Directory}}};
    loop.Tree["L\\up"] = {1, {{"a.jpg", 0}, {"up", Directory}}};
    EXPECT_EQ(Walk(loop, true, "L"), std::vector<std::string>{"L\\a.jpg"});

    FakeFolders deep;
    std::string path = "D";
    for (int depth = 0; depth <= MaxFolderDepth + 5; ++depth, path += "\\s")
        deep.Tree[path] = {static_cast<uint64_t>(depth + 1), {{"p.jpg", 0}, {"s", Directory}}};
    const std::vector<std::string> list = Walk(deep, true, "D");
    ASSERT_EQ(list.size(), static_cast<size_t>(MaxFolderDepth + 1));
    EXPECT_EQ(std::count(list.back().begin(), list.back().end(), '\\'), MaxFolderDepth + 1);

    // A stop asked from another thread ends the walk before the next folder.
    const std::atomic<bool> stop(true);
    std::atomic<size_t> found(0);
    EXPECT_TRUE(WalkPictures({"L", true, PictureExtensions, 259}, loop, stop, found).empty());
}

} // namespace

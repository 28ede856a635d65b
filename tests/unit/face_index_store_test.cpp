#include "pictures/FaceIndexStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A fresh folder of the test's own, and the index's path in it.
std::string FreshIndex(const std::string& name) {
    const fs::path folder = fs::path(testing::TempDir()) / ("face-index-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return (folder / "people.db").string();
}

IndexedPicture Picture(const std::string& path, int faces, int64_t time = 1) {
    IndexedPicture picture{{path, 1000, time}, false, {}};
    for (int n = 0; n < faces; ++n) {
        FaceDescriptor descriptor{};
        descriptor[0] = float(n);
        descriptor[127] = float(path.size());
        picture.Faces.push_back({{0.1 * n, 0.2, 0.1, 0.15}, descriptor, std::nullopt});
    }
    return picture;
}

std::vector<StoredFace> AllFaces(FaceIndexStore& store) {
    std::vector<StoredFace> faces;
    store.ForEachDescribedFace([&](const StoredFace& face) {
        faces.push_back(face);
        return true;
    });
    return faces;
}

// The files of the folder, by name.
std::vector<std::string> FilesBeside(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a listing asks, what a batch keeps, a changed picture's faces replaced, people through
// joins, names, merges and refusals, and gone pictures taking their faces and unnamed people.
TEST(FaceIndexStore, KeepsPicturesFacesAndPeople) {
    const std::string path = FreshIndex("rules");
    FaceIndexStore store(path);
    ASSERT_EQ(store.Status(), StoreStatus::Ready) << store.Reason();
    ASSERT_TRUE(store.StoreBatch({Picture("a.jpg", 2), Picture("b.jpg", 1), Picture("c.jpg", 0)}));
    IndexedPicture failed = Picture("d.jpg", 0);
    failed.Failed = true;
    ASSERT_TRUE(store.StoreBatch({failed}));

    const IndexWork work =
        store.Compare({{"a.jpg", 1000, 1}, {"b.jpg", 1000, 2}, {"d.jpg", 1000, 1}, {"e.jpg", 5, 5}});
    ASSERT_EQ(work.ToRead.size(), 2u);
    EXPECT_EQ(work.ToRead[0].Path, "b.jpg"); // written since
    EXPECT_EQ(work.ToRead[1].Path, "e.jpg"); // new; the failed d.jpg is not tried again unchanged
    EXPECT_EQ(work.Gone, std::vector<std::string>{"c.jpg"});

    std::vector<StoredFace> faces = AllFaces(store);
    ASSERT_EQ(faces.size(), 3u);
    EXPECT_EQ(faces[1].Path, "a.jpg");
    EXPECT_DOUBLE_EQ(faces[1].Box.Left, 0.1);
    EXPECT_EQ((*faces[1].Descriptor)[0], 1.0f);

    const int64_t grandma = store.NewPerson({faces[0].Id, faces[2].Id});
    const int64_t other = store.NewPerson({faces[1].Id});
    ASSERT_TRUE(grandma && other);
    EXPECT_TRUE(store.SetName(grandma, std::string("Grandma")));
    EXPECT_TRUE(store.Refuse(faces[1].Id, grandma));
    EXPECT_TRUE(store.Merge(grandma, other)); // the refused face stays out
    std::vector<StoredPerson> people = store.People();
    ASSERT_EQ(people.size(), 1u);
    EXPECT_EQ(people[0].Name, std::string("Grandma"));
    EXPECT_EQ(people[0].Pictures, 2);
    EXPECT_EQ(people[0].Faces, 2);
    EXPECT_TRUE(store.Join(grandma, {faces[1].Id}));
    EXPECT_EQ(store.FacesOf(grandma).size(), 2u);
    EXPECT_TRUE(store.Refused(faces[1].Id, grandma));

    // b.jpg read again: its face and membership are new; its old face's person keeps her name.
    ASSERT_TRUE(store.StoreBatch({Picture("b.jpg", 2, 2)}));
    EXPECT_EQ(AllFaces(store).size(), 4u);
    EXPECT_EQ(store.FacesOf(grandma).size(), 1u);
    ASSERT_TRUE(store.Remove({"a.jpg"}));
    people = store.People();
    ASSERT_EQ(people.size(), 1u);
    EXPECT_EQ(people[0].Faces, 0); // named, so kept without faces
    const int64_t unnamed = store.NewPerson({AllFaces(store)[0].Id});
    ASSERT_TRUE(store.Remove({"b.jpg"}));
    EXPECT_EQ(store.People().size(), 1u) << unnamed;
    EXPECT_TRUE(store.SetHidden(grandma, true));
    EXPECT_TRUE(store.People()[0].Hidden);
}

// Files found unusable at opening: each set aside, kept under the new name, and a new index made.
TEST(FaceIndexStore, SetsAsideWhatItCannotUseAndMakesANewOne) {
    const std::string path = FreshIndex("aside");
    const auto made = [&](const std::function<void(sqlite3*)>& change) {
        { FaceIndexStore(path).StoreBatch({Picture("a.jpg", 1)}); }
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        change(db);
        sqlite3_close(db);
    };
    const auto cut = [&](std::uintmax_t size) { fs::resize_file(path, size); };
    const std::vector<std::pair<std::string, std::function<void()>>> cases = {
        {"truncated", [&] { made([](sqlite3*) {}), cut(fs::file_size(path) * 2 / 3 / 512 * 512 + 100); }},
        {"zeroed", [&] { made([](sqlite3*) {}), cut(0), cut(16384); }},
        {"text", [&] { std::ofstream(path, std::ios::trunc) << "shopping list\nmilk\n"; }},
        {"newer", [&] { made([](sqlite3* db) { sqlite3_exec(db, "PRAGMA user_version = 2", 0, 0, 0); }); }},
        {"foreign",
         [&] { made([](sqlite3* db) { sqlite3_exec(db, "PRAGMA application_id = 7", 0, 0, 0); }); }},
        {"unmarked",
         [&] { made([](sqlite3* db) { sqlite3_exec(db, "PRAGMA application_id = 0", 0, 0, 0); }); }},
    };
    for (const auto& [name, damage] : cases) {
        ASSERT_TRUE(ForgetPeople(path));
        damage();
        const std::uintmax_t size = fs::file_size(path);
        FaceIndexStore store(path);
        EXPECT_EQ(store.Status(), StoreStatus::Ready) << name << ": " << store.Reason();
        ASSERT_FALSE(store.SetAside().empty()) << name;
        EXPECT_EQ(fs::file_size(store.SetAside()), size) << name;
        EXPECT_TRUE(store.Compare({}).Gone.empty()) << name;
        EXPECT_TRUE(store.StoreBatch({Picture("b.jpg", 1)})) << name;
    }
}

// Forgetting leaves nothing of the index: file, -wal, -shm (a store still open elsewhere keeps
// them) and the copies set aside; the folder's other files stay.
TEST(FaceIndexStore, ForgetRemovesEveryFileOfTheIndex) {
    const std::string path = FreshIndex("forget");
    std::ofstream(path) << "not an index";
    std::ofstream(fs::path(path).parent_path() / "holiday.jpg") << "a picture";
    {
        FaceIndexStore store(path);
        ASSERT_TRUE(store.StoreBatch({Picture("a.jpg", 1)}));
    }
    sqlite3* db = nullptr; // holds -wal and -shm
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "SELECT count(*) FROM faces", 0, 0, 0);
    EXPECT_GE(FilesBeside(path).size(), 4u);
    sqlite3_close(db);
    std::ofstream(path + "-wal") << "left by a kill";
    EXPECT_TRUE(ForgetPeople(path));
    EXPECT_EQ(FilesBeside(path), std::vector<std::string>{"holiday.jpg"});
}

// A full disk (the file's bound stands for it): the batch fails whole and is reported once, reading
// goes on, and a later batch that fits is kept. Another game writing: the write waits, then fails
// as busy, and reads go on meanwhile.
TEST(FaceIndexStore, FailsWritesCleanlyAndReadsOn) {
    const std::string path = FreshIndex("full");
    StoreOptions small;
    small.MaxBytes = 64 * 4096;
    small.BusyMilliseconds = 50;
    FaceIndexStore store(path, small);
    ASSERT_TRUE(store.StoreBatch({Picture("a.jpg", 1)}));
    std::vector<IndexedPicture> large;
    for (int n = 0; n < 200; ++n)
        large.push_back(Picture("many/" + std::to_string(n) + ".jpg", 5));
    EXPECT_FALSE(store.StoreBatch(large));
    EXPECT_EQ(store.NewTrouble(), StoreStatus::DiskFull);
    EXPECT_FALSE(store.StoreBatch(large));
    EXPECT_EQ(store.NewTrouble(), std::nullopt);
    EXPECT_EQ(AllFaces(store).size(), 1u);
    EXPECT_TRUE(store.StoreBatch({Picture("b.jpg", 1)}));
    EXPECT_EQ(store.Status(), StoreStatus::Ready);

    sqlite3* other = nullptr;
    sqlite3_open(path.c_str(), &other);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; DELETE FROM faces;", 0, 0, 0), SQLITE_OK);
    EXPECT_FALSE(store.StoreBatch({Picture("c.jpg", 1)}));
    EXPECT_EQ(store.NewTrouble(), StoreStatus::Busy);
    EXPECT_EQ(AllFaces(store).size(), 2u);
    sqlite3_exec(other, "ROLLBACK", 0, 0, 0);
    sqlite3_close(other);
    EXPECT_TRUE(store.StoreBatch({Picture("c.jpg", 1)}));
}

// A folder the player may not write to (as a user other than root, whom permissions do not stop):
// the index is read, not written, and says so.
TEST(FaceIndexStore, ReadsAnIndexItMayNotWrite) {
    // Under /tmp, in a folder of its own: the user may not reach the build's folder.
    char made[] = "/tmp/face-index-read-only-XXXXXX";
    ASSERT_TRUE(mkdtemp(made));
    chmod(made, 0755);
    const std::string path = std::string(made) + "/people.db";
    { ASSERT_TRUE(FaceIndexStore(path).StoreBatch({Picture("a.jpg", 2)})); }
    const fs::path folder = fs::path(path).parent_path();
    chmod(path.c_str(), 0444);
    chmod(folder.c_str(), 0555);
    const pid_t child = fork();
    if (child == 0) {
        if (getuid() == 0 && setuid(65534) != 0)
            _exit(10);
        FaceIndexStore store(path);
        const bool read = store.Status() == StoreStatus::ReadOnly && AllFaces(store).size() == 2;
        const bool refused =
            !store.StoreBatch({Picture("b.jpg", 1)}) && store.NewTrouble() == StoreStatus::ReadOnly;
        FaceIndexStore absent((folder / "other.db").string());
        _exit(read && refused && absent.Status() == StoreStatus::Unavailable ? 0 : 11);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(folder.c_str(), 0755);
    fs::remove_all(folder);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// A game killed at any moment of its writing: the file opens sound, untouched by the setting aside,
// holding each batch whole or not at all. Twenty kills at moments drawn from a fixed seed.
TEST(FaceIndexStore, AKilledGameLosesAtMostTheBatchUnderWay) {
    const std::string path = FreshIndex("killed");
    constexpr int BatchPictures = 7, FacesEach = 3;
    std::mt19937 moments(20261207);
    for (int kill = 0; kill < 20; ++kill) {
        const pid_t child = fork();
        if (child == 0) {
            FaceIndexStore store(path);
            for (int batch = 0;; ++batch) {
                std::vector<IndexedPicture> pictures;
                for (int n = 0; n < BatchPictures; ++n)
                    pictures.push_back(
                        Picture(std::to_string(kill) + "/" + std::to_string(batch) + "/" + std::to_string(n),
                                FacesEach));
                store.StoreBatch(pictures);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(moments() % 60000));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        FaceIndexStore store(path);
        ASSERT_EQ(store.Status(), StoreStatus::Ready) << store.Reason();
        ASSERT_TRUE(store.SetAside().empty()) << store.SetAsideReason();
        std::map<std::string, int> facesOfBatch;
        for (const StoredFace& face : AllFaces(store))
            ++facesOfBatch[face.Path.substr(0, face.Path.rfind('/'))];
        for (const auto& [batch, faces] : facesOfBatch)
            EXPECT_EQ(faces, BatchPictures * FacesEach) << batch;
        EXPECT_EQ(store.Compare({}).Gone.size(), facesOfBatch.size() * BatchPictures);
    }
}

} // namespace

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "pictures/PeopleIndexer.h"
#include "pictures/PeopleSync.h"
#include "tests/unit/SyntheticFaces.h"

namespace fs = std::filesystem;

namespace {

std::string FreshIndex(const std::string& name) {
    const fs::path folder = fs::path(testing::TempDir()) / ("people-index-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return (folder / "people.db").string();
}

// Pictures p0 .. p<count-1>, p<i> written at time i: the last is the newest.
std::vector<ListedPicture> Listing(int count) {
    std::vector<ListedPicture> pictures;
    for (int i = 0; i < count; ++i)
        pictures.push_back({"p" + std::to_string(i), 100, i});
    return pictures;
}

// A reader that finds one face in each picture, of one of three people, and notes what it read.
struct FakeReader {
    std::vector<Face> Faces = SyntheticFaces(3, 20, 7);
    std::mutex Lock;
    std::vector<std::string> Read;
    std::set<std::string> Hanging;

    bool operator()(const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces) {
        {
            const std::lock_guard<std::mutex> hold(Lock);
            Read.push_back(path);
        }
        if (Hanging.count(path) != 0) {
            while (!stop())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return false;
        }
        const int n = std::stoi(path + 1);
        faces->push_back(
            {{0.2, 0.2, 0.2, 0.3}, Faces[size_t(n % 3 * 20 + n / 3 % 20)].Descriptor, std::nullopt});
        return true;
    }
};

IndexerSetup IndexingOf(const std::string& store, FakeReader* reader, std::vector<ListedPicture> listing,
                        unsigned threads = 1) {
    IndexerSetup setup;
    setup.StorePath = store;
    setup.List = [listing](const std::atomic<bool>&) { return IndexListing{listing, {}}; };
    setup.Read = [reader](const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces) {
        return (*reader)(path, stop, faces);
    };
    // Each question of a worker's CPU time finds a tenth of a second more spent.
    auto spent = std::make_shared<std::atomic<int>>(0);
    setup.CpuSeconds = [spent] { return 0.1 * ++*spent; };
    setup.Threads = threads;
    setup.BatchSize = 2;
    return setup;
}

void ReadBy(const IndexerSetup& setup) {
    PeopleIndexer indexer(setup);
    indexer.Start();
    indexer.Wait();
    EXPECT_EQ(indexer.Done(), indexer.Total());
    EXPECT_EQ(indexer.Trouble(), IndexTrouble::None);
}

} // namespace

// Newest first; a picture that hangs is kept as failed and not read again until it changes; a
// changed picture is read again, a gone one forgotten, an unchanged one left.
TEST(PeopleIndexer, ReadsWhatIsNewOrChangedNewestFirst) {
    const std::string store = FreshIndex("changes");
    FakeReader reader;
    reader.Hanging = {"p3"};
    std::vector<ListedPicture> listing = Listing(6);
    ReadBy(IndexingOf(store, &reader, listing));
    EXPECT_EQ(reader.Read, (std::vector<std::string>{"p5", "p4", "p3", "p2", "p1", "p0"}));
    FaceIndexStore kept(store);
    EXPECT_TRUE(kept.Compare(listing).ToRead.empty());
    EXPECT_FALSE(kept.People().empty());

    reader.Read.clear();
    listing[1].Size = 200;
    listing.erase(listing.begin() + 4);
    ReadBy(IndexingOf(store, &reader, listing));
    EXPECT_EQ(reader.Read, (std::vector<std::string>{"p1"}));
    std::set<std::string> paths;
    kept.ForEachDescribedFace([&](const StoredFace& face) { return paths.insert(face.Path).second; });
    EXPECT_EQ(paths, (std::set<std::string>{"p0", "p1", "p2", "p5"}));

    reader.Read.clear();
    reader.Hanging.clear();
    listing[3].WriteTime = 30;
    ReadBy(IndexingOf(store, &reader, listing));
    EXPECT_EQ(reader.Read, (std::vector<std::string>{"p3"}));
}

// A stop mid-picture keeps the batches read whole; the next start reads the rest and no more.
TEST(PeopleIndexer, AStopMidWayGoesOnAtTheNextStart) {
    const std::string store = FreshIndex("resume");
    const std::vector<ListedPicture> listing = Listing(10);
    FakeReader reader;
    std::promise<void> reached;
    IndexerSetup setup = IndexingOf(store, &reader, listing, 2);
    setup.Read = [&](const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces) {
        if (std::string(path) != "p5")
            return reader(path, stop, faces);
        reached.set_value();
        while (!stop())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return false;
    };
    PeopleIndexer first(setup);
    first.Start();
    reached.get_future().wait();
    first.Stop();
    EXPECT_FALSE(first.Running());
    EXPECT_LT(first.Done(), 10u);

    FaceIndexStore kept(store);
    const IndexWork left = kept.Compare(listing);
    std::set<std::string> unread;
    for (const ListedPicture& picture : left.ToRead)
        unread.insert(picture.Path);
    EXPECT_EQ(unread.count("p5"), 1u);
    for (const char* earlier : {"p9", "p8", "p7", "p6"})
        EXPECT_EQ(unread.count(earlier), 0u) << earlier;

    reader.Read.clear();
    ReadBy(IndexingOf(store, &reader, listing, 2));
    EXPECT_EQ(std::set<std::string>(reader.Read.begin(), reader.Read.end()), unread);
}

// A deal's pause stops the picture in hand, which is read again once resumed, not kept as failed.
TEST(PeopleIndexer, APausedPictureIsReadAgain) {
    const std::string store = FreshIndex("pause");
    FakeReader reader;
    std::promise<void> reached, left;
    int calls = 0;
    IndexerSetup setup = IndexingOf(store, &reader, Listing(1));
    setup.CpuSeconds = [] { return 0.0; }; // within the budget, however long it waits
    setup.Read = [&](const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces) {
        if (++calls > 1)
            return reader(path, stop, faces);
        reached.set_value();
        while (!stop())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        left.set_value();
        return false;
    };
    PeopleIndexer indexer(setup);
    indexer.Start();
    reached.get_future().wait();
    indexer.Pause(true);
    left.get_future().wait();
    indexer.Pause(false);
    indexer.Wait();
    EXPECT_EQ(calls, 2);
    FaceIndexStore kept(store);
    EXPECT_EQ(kept.People().size(), 1u);
}

// Giving way to the game's frames holds the picture in hand where it stands, read on after, not
// again; a stop while giving way ends the work.
TEST(PeopleIndexer, GivingWayHoldsThePictureInHand) {
    const std::string store = FreshIndex("give-way");
    FakeReader reader;
    std::atomic<int> asked{0}, lapseAt{0};
    IndexerSetup setup = IndexingOf(store, &reader, Listing(1));
    setup.CpuSeconds = [] { return 0.0; };
    // Frames come until the third question after a turn began, as a turn's frames lapse.
    setup.GiveWay = [&] { return ++asked < lapseAt; };
    int calls = 0;
    setup.Read = [&](const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces) {
        ++calls;
        lapseAt = asked + 3;
        return !stop() && reader(path, stop, faces);
    };
    ReadBy(setup);
    EXPECT_EQ(calls, 1);
    EXPECT_GE(asked, lapseAt);
    EXPECT_EQ(FaceIndexStore(store).People().size(), 1u);

    std::promise<void> waiting;
    std::atomic<bool> told{false};
    setup.StorePath = FreshIndex("give-way-stop");
    setup.GiveWay = [&] {
        if (!told.exchange(true))
            waiting.set_value();
        return true;
    };
    PeopleIndexer indexer(setup);
    indexer.Start();
    waiting.get_future().wait();
    indexer.Stop();
    EXPECT_EQ(indexer.Done(), 0u);
    EXPECT_EQ(calls, 1);
}

// Names a tag gave become the person's; a face the player refused a person stays out of them
// however often the faces are regrouped, and new faces join the people already known.
TEST(PeopleSync, KeepsTagNamesAndRefusalsAcrossRegroupings) {
    const std::string path = FreshIndex("sync");
    FaceIndexStore store(path);
    const std::vector<Face> faces = SyntheticFaces(2, 6, 3);
    std::vector<IndexedPicture> batch;
    for (int i = 0; i < 10; ++i) {
        const int person = i % 2;
        IndexedPicture picture{{"q" + std::to_string(i), 10, 1}, false, {}};
        picture.Faces.push_back({{0, 0, 0.5, 0.5},
                                 faces[size_t(person * 6 + i / 2)].Descriptor,
                                 i == 2 ? std::optional<std::string>("Ann") : std::nullopt});
        batch.push_back(picture);
    }
    ASSERT_TRUE(store.StoreBatch(batch));
    ASSERT_TRUE(RegroupPeople(&store));
    std::vector<StoredPerson> people = store.People();
    ASSERT_EQ(people.size(), 2u);
    const auto ann = std::find_if(people.begin(), people.end(), [](const StoredPerson& p) { return p.Name; });
    ASSERT_NE(ann, people.end());
    EXPECT_EQ(*ann->Name, "Ann");
    EXPECT_EQ(ann->Faces, 5);

    const int64_t refused = store.FacesOf(ann->Id)[2].Id;
    ASSERT_TRUE(store.Refuse(refused, ann->Id));
    ASSERT_TRUE(RegroupPeople(&store));
    ASSERT_TRUE(RegroupPeople(&store));
    People now;
    ASSERT_TRUE(LoadPeople(&store, &now));
    EXPECT_NE(FindFace(&now, refused)->Person, ann->Id);
    EXPECT_NE(FindFace(&now, refused)->Person, NoPerson);

    ASSERT_TRUE(
        store.StoreBatch({{{"q10", 10, 1}, false, {{{0, 0, 0.5, 0.5}, faces[0].Descriptor, std::nullopt}}}}));
    ASSERT_TRUE(RegroupPeople(&store));
    ASSERT_TRUE(LoadPeople(&store, &now));
    EXPECT_EQ(now.Faces.back().Person, ann->Id);
    EXPECT_EQ(FacesOf(now, ann->Id).size(), 5u);
}

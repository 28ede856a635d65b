// What building the people's index costs, under Wine, with the pictures library called as the game
// calls it (app/PeopleIndexing.cpp):
//   people_index_bench STORE_FOLDER [PHOTOS_FOLDER]
// - the first grouping of 10,000 faces (400 people of 25) kept in the store, and the regrouping
//   after a batch of 4 pictures among them;
// - pictures indexed per second with a reader that finds two faces at once (the store's and the
//   grouping's share), and the memory that grows meanwhile;
// - with PHOTOS_FOLDER (photo001..200.jpg, the last 18 also dealt): pictures indexed per
//   second with the game's reader (found, tagged and described), a level-4 deal of the 18 photos while
//   indexing runs against one idle, interleaved, medians; and the frames of cards turning on a
//   level-4 board of them in the game's window at 1920x1080 while indexing runs against idle.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "bench/GameFrames.h"
#include "bench/Measures.h"
#include "board/NewRound.h"
#include "board/RenderBoard.h"
#include "pictures/FaceDescriber.h"
#include "pictures/PeopleIndexer.h"
#include "pictures/PeopleSync.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureFaces.h"
#include "rules/CellGeometry.h"
#include "tests/unit/SyntheticFaces.h"

namespace {

const int Runs = 9;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string FreshStore(const std::string& folder, const char* name) {
    const std::string path = folder + "\\" + name + ".db";
    ForgetPeople(path);
    return path;
}

// The value a share of the values stays under.
double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(double(values.size()) * share))];
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](FILETIME t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

void Lower() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

void Normal() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

void Grouping(const std::string& folder) {
    FaceIndexStore store(FreshStore(folder, "grouping"));
    const std::vector<Face> faces = SyntheticFaces(400, 25, 1);
    std::vector<IndexedPicture> batch;
    for (const Face& face : faces) {
        batch.push_back(
            {{"p" + std::to_string(face.Id), 1, 1}, false, {{{0, 0, 0.3, 0.3}, face.Descriptor, {}}}});
        if (batch.size() == 500 || face.Id + 1 == int64_t(faces.size())) {
            store.StoreBatch(batch);
            batch.clear();
        }
    }
    double at = Now(), cpu = CpuSeconds();
    RegroupPeople(&store);
    std::printf("%-56s %7.0f ms  (CPU %5.0f ms, %zu people)\n", "First grouping of 10,000 faces in the store",
                Now() - at, (CpuSeconds() - cpu) * 1000, store.People().size());
    const std::vector<Face> more = SyntheticFaces(400, 26, 1);
    for (int i = 0; i < 4; ++i) {
        const Face& face = more[size_t(i * 26 * 50 + 25)];
        batch.push_back({{"n" + std::to_string(i), 1, 1}, false, {{{0, 0, 0.3, 0.3}, face.Descriptor, {}}}});
    }
    at = Now(), cpu = CpuSeconds();
    store.StoreBatch(batch);
    RegroupPeople(&store);
    std::printf("%-56s %7.0f ms  (CPU %5.0f ms)\n", "A batch of 4 pictures kept and regrouped among them",
                Now() - at, (CpuSeconds() - cpu) * 1000);
}

// The indexer over the listing with the reader, its workers lowered as the game lowers them.
IndexerSetup Setup(const std::string& store, const std::vector<ListedPicture>& listing,
                   PictureFacesReader read) {
    IndexerSetup setup;
    setup.StorePath = store;
    setup.List = [&listing](const std::atomic<bool>&) { return IndexListing{listing, {}}; };
    setup.Read = read;
    setup.WorkerStart = Lower;
    setup.WorkerEnd = Normal;
    setup.GiveWay = BoardFramesComing;
    setup.BudgetSeconds = PictureCpuBudgetSeconds;
    return setup;
}

// Indexes the listing with the reader and prints pictures a second and the memory grown.
void Indexing(const char* what, const std::string& store, const std::vector<ListedPicture>& listing,
              PictureFacesReader read) {
    IndexerSetup setup = Setup(store, listing, read);
    std::atomic<double> peak{PrivateMegabytes()};
    setup.Progress = [&peak] { peak = std::max(peak.load(), PrivateMegabytes()); };
    const double before = PrivateMegabytes(), at = Now();
    PeopleIndexer indexer(setup);
    indexer.Start();
    indexer.Wait();
    const double seconds = (Now() - at) / 1000;
    std::printf("%-56s %7.1f /s  (%zu in %.1f s; memory %+.0f MB at most, %+.0f MB after)\n", what,
                double(indexer.Done()) / seconds, indexer.Done(), seconds, peak - before,
                PrivateMegabytes() - before);
}

// Two faces a picture, found at once.
bool InstantFaces(const char* path, const DecodeStop&, std::vector<IndexedFace>* faces) {
    static const std::vector<Face> made = SyntheticFaces(500, 8, 2);
    const size_t n = std::hash<std::string>()(path);
    for (size_t k = 0; k < 2; ++k)
        faces->push_back(
            {{0.1 + 0.4 * double(k), 0.2, 0.2, 0.3}, made[(n + k * 7) % made.size()].Descriptor, {}});
    return true;
}

double Deal(const std::vector<std::string>& paths) {
    const PixelSize kept = LargestCard({6, 6, 1920, 1080});
    const double at = Now();
    DecodeFirstPictures(paths, paths.size(), kept.Width, kept.Height, PictureFit::KeepShape,
                        DecodeThreadCount());
    return Now() - at;
}

// Four cards turning up and back on the game's own board, its frames drawn, read back and copied
// onto the window as the main loop does: idle, while indexing as the game does (its workers give the
// turn's frames way) and while indexing with the lowered priority alone, interleaved (the order
// turned every run); the medians of the runs' medians and 95th percentiles.
void TurningFrames(const std::string& folder, const std::vector<ListedPicture>& listing,
                   const std::vector<std::string>& dealt, PictureFacesReader read) {
    if (!StartGame()) {
        std::printf("No game window\n");
        return;
    }
    PictureList = dealt;
    Level = 4;
    NewRound();
    ShowWindow(Engine->Window, SW_SHOWNOACTIVATE);
    SetClient(1920, 1080);
    RenderBoard();
    TurningFrameTimes();
    const char* const names[3] = {"idle", "indexing", "priority alone"};
    std::vector<double> medians[3], tails[3];
    for (int run = 0; run < Runs; ++run) {
        for (int turn = 0; turn < 3; ++turn) {
            const int how = (run + turn) % 3;
            IndexerSetup setup = Setup(FreshStore(folder, "turning"), listing, read);
            if (how == 2)
                setup.GiveWay = nullptr;
            PeopleIndexer indexer(setup);
            if (how != 0) {
                indexer.Start();
                Sleep(1500);
            }
            const std::vector<double> times = TurningFrameTimes();
            medians[how].push_back(Median(times));
            tails[how].push_back(Percentile(times, 0.95));
        }
    }
    std::printf("%-56s %7.1f ms  idle %5.1f ms (medians of %d; goal under 8 ms: %s)\n",
                "Median frame of a card turning while indexing", Median(medians[1]), Median(medians[0]), Runs,
                Median(medians[1]) < 8 ? "met" : "missed");
    std::printf("%-56s %7.1f ms  idle %5.1f ms\n", "95th percentile of those frames while indexing",
                Median(tails[1]), Median(tails[0]));
    std::printf("%-56s %7.1f ms  95th percentile %.1f ms\n",
                "The same with the lowered priority alone, median", Median(medians[2]), Median(tails[2]));
    for (int how = 0; how < 3; ++how) {
        std::printf("  Each run's median and 95th percentile, %-16s", names[how]);
        for (int run = 0; run < Runs; ++run)
            std::printf(" %.1f/%.1f", medians[how][size_t(run)], tails[how][size_t(run)]);
        std::printf("\n");
    }
}

void Photos(const std::string& folder, const std::string& photos, PictureFacesReader read) {
    std::vector<ListedPicture> listing;
    std::vector<std::string> dealt;
    for (int i = 1; i <= 200; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\photo%03d.jpg", i);
        listing.push_back({photos + name, 1, i});
        if (i > 200 - 18)
            dealt.push_back(photos + name);
    }
    Indexing("Indexed with ReadPictureFaces, 200 photos of 4000x3000", FreshStore(folder, "photos"), listing,
             read);
    FaceIndexStore kept(folder + "\\photos.db");
    size_t described = 0;
    kept.ForEachDescribedFace([&](const StoredFace&) { return ++described > 0; });
    std::printf("%-56s %7zu faces described, %zu people\n", "", described, kept.People().size());

    // A deal pauses the indexing as DecodeDealtPictures does; a fresh store for each run while
    // indexing, so it never runs out of pictures.
    std::vector<double> idle, busy;
    Deal(dealt);
    for (int run = 0; run < Runs; ++run) {
        idle.push_back(Deal(dealt));
        PeopleIndexer indexer(Setup(FreshStore(folder, "dealing"), listing, read));
        indexer.Start();
        Sleep(1500);
        indexer.Pause(true);
        busy.push_back(Deal(dealt));
        indexer.Pause(false);
        indexer.Stop();
    }
    std::printf("%-56s %7.0f ms  idle %5.0f ms: %.2fx (medians of %d)\n", "Level-4 deal while indexing",
                Median(busy), Median(idle), Median(busy) / Median(idle), Runs);
    TurningFrames(folder, listing, dealt, read);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: people_index_bench STORE_FOLDER [PHOTOS_FOLDER]\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder);
    Grouping(folder);
    std::vector<ListedPicture> listing;
    for (int i = 0; i < 2000; ++i)
        listing.push_back({"C:\\photos\\" + std::to_string(i) + ".jpg", 1, i});
    Indexing("Indexed with an instant reader, 2,000 pictures", FreshStore(folder, "instant"), listing,
             InstantFaces);
    if (argc > 2 && !LoadFaceModels(FaceModelsFolder()))
        std::printf("No face models in %s\n", FaceModelsFolder().c_str());
    else if (argc > 2)
        Photos(folder, argv[2], ReadPictureFaces);
    return 0;
}

// What finding a deal's faces after its board shows costs the deals around it, under Wine, with the
// pictures library called as the game calls it (board/DealPictures.cpp, board/DealtFaces.cpp):
//   face_deal_bench FOLDER   (FOLDER holds face01..18.jpg, 4000x3000 photos of people, and
//                            tagged01..18.jpg, the same with their faces in MWG regions)
// Level-4 deals of the 18 photos with their shape kept, at the card size the game keeps on a
// 1920x1080 monitor; each ratio from runs interleaved in one process, medians.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "bench/Measures.h"
#include "pictures/FaceFraming.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureDecoder.h"
#include "pictures/ThreadCpuTime.h"
#include "pictures/WorkerPool.h"
#include "rules/CellGeometry.h"

namespace {

const int Runs = 7;
const size_t Pictures = 18;

// A level-4 board (6x6) on a 1920x1080 monitor: the size the game keeps its pictures at.
const PixelSize Kept = LargestCard({6, 6, 1920, 1080});

std::vector<std::string> Files(const std::string& folder, const char* stem) {
    std::vector<std::string> paths;
    for (size_t i = 1; i <= Pictures; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\%s%02zu.jpg", stem, i);
        paths.push_back(folder + name);
    }
    return paths;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Worst(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

// Each dealt picture's framing: the shape kept, no face known, as a deal of untagged photos has it.
const std::vector<CardFraming> KeptShape(Pictures, CardFraming(PictureFit::KeepShape));

void Lower() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

void Normal() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

// A deal's decodes as DecodeDealtPictures makes them; *faces gets the faces the tags boxed.
double Deal(const std::vector<std::string>& paths, size_t* faces = nullptr) {
    BatchControl control;
    control.Framings = &KeptShape;
    const double start = Now();
    const std::vector<DecodedPicture> pictures = DecodeFirstPictures(
        paths, Pictures, Kept.Width, Kept.Height, PictureFit::KeepShape, DecodeThreadCount(), control);
    const double time = Now() - start;
    if (faces != nullptr) {
        *faces = 0;
        for (const DecodedPicture& picture : pictures)
            *faces += picture.Info.TaggedFaces.size();
    }
    return time;
}

// The search FindDealtFaces starts once a board shows: every picture's faces, then its card decoded
// again for them, on the deal's workers below normal priority, each picture held to the budget.
struct Search {
    struct Sought {
        std::string Path;
        std::vector<FaceBox> Faces;
        std::vector<uint32_t> Pixels;
        double Ms = 0; // the search and the card cut for the faces
    };
    explicit Search(const std::vector<std::string>& paths) {
        for (const std::string& path : paths)
            Pictures.push_back({path, {}, {}});
        Started = Now();
        Done = RunLater([this] {
            RunOnWorkers(Pictures.size(), DecodeThreadCount(), [this](size_t i) { Seek(&Pictures[i]); });
            Ended = Now();
        });
    }
    ~Search() {
        Stop = true;
        Done.wait();
    }
    void Seek(Sought* sought) {
        Lower();
        const double cpu = ThreadCpuSeconds();
        const DecodeStop stop{
            [&] { return Stop.load() || ThreadCpuSeconds() - cpu > PictureCpuBudgetSeconds; }};
        const double at = Now();
        FrameByFaces(sought->Path.c_str(), CardFraming(PictureFit::KeepShape), false, Kept.Width, Kept.Height,
                     stop, false, &sought->Faces, &sought->Pixels);
        sought->Ms = Now() - at;
        Normal();
    }
    std::atomic<bool> Stop{false};
    std::vector<Sought> Pictures;
    double Started = 0;
    double Ended = 0;
    std::future<void> Done;
};

// The next deal prepared as PrepareNextDeal does, below normal priority.
std::future<std::vector<DecodedPicture>> Prepare(const std::vector<std::string>& paths) {
    return RunLater([&paths] {
        BatchControl control;
        control.WorkerStart = Lower;
        control.WorkerEnd = Normal;
        control.Framings = &KeptShape;
        return DecodeFirstPictures(paths, Pictures, Kept.Width, Kept.Height, PictureFit::KeepShape,
                                   DecodeThreadCount(), control);
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: face_deal_bench FOLDER\n");
        return 2;
    }
    const std::vector<std::string> photos = Files(argv[1], "face");
    const std::vector<std::string> tagged = Files(argv[1], "tagged");
    std::printf("%u workers; pictures kept at %dx%d (level 4 on a 1920x1080 monitor)\n", DecodeThreadCount(),
                Kept.Width, Kept.Height);
    // The files read once, each worker's detector made: no run pays for either.
    Deal(photos);
    Deal(tagged);
    { Search(photos).Done.wait(); }

    // 1. A deal from idle against one that must first stop the last board's search, caught at a
    // different point each run (a More after 0.3 to 1.5 s).
    std::vector<double> idle, stopping, stops;
    int caught = 0;
    for (int run = 0; run < Runs; ++run) {
        // A, B, B, A: neither always follows the other.
        if (run % 2 == 0)
            idle.push_back(Deal(photos));
        auto search = std::make_unique<Search>(photos);
        Sleep(DWORD(300 + run * 200));
        caught += search->Done.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
        const double start = Now();
        search.reset();
        stops.push_back(Now() - start);
        Deal(photos);
        stopping.push_back(Now() - start);
        if (run % 2 == 1)
            idle.push_back(Deal(photos));
        std::printf("  run %d: from idle %.0f ms, stopping a search %.0f ms (the stop %.0f)\n", run + 1,
                    idle.back(), stopping.back(), stops.back());
    }
    std::printf(
        "1. level-4 deal, median of %d: from idle %.0f ms, stopping a search first %.0f ms: %.2fx "
        "(goal 1.1x); the stop alone median %.0f, worst %.0f ms; %d of the searches still under way\n",
        Runs, Median(idle), Median(stopping), Median(stopping) / Median(idle), Median(stops), Worst(stops),
        caught);

    // 2. From the board shown to every card's faces known and its card decoded again.
    std::vector<double> known, working;
    size_t found = 0, redecoded = 0;
    for (int run = 0; run < Runs; ++run) {
        Search search(photos);
        search.Done.wait();
        known.push_back(search.Ended - search.Started);
        double workMs = 0;
        found = redecoded = 0;
        for (const Search::Sought& sought : search.Pictures) {
            workMs += sought.Ms;
            found += sought.Faces.size();
            redecoded += sought.Pixels.empty() ? 0 : 1;
        }
        working.push_back(workMs);
    }
    std::printf("2. every card's faces known after the board shows, %d runs: median %.0f ms, worst %.0f ms "
                "(goal 2000); the workers' time, searches and cards cut, %.0f ms (median); "
                "%zu faces, %zu cards framed again\n",
                Runs, Median(known), Worst(known), Median(working), found, redecoded);

    // 3. Tagged photos, their faces read from the tags, against the untagged deal, no search either way.
    std::vector<double> plain, withTags;
    size_t taggedFaces = 0;
    for (int run = 0; run < Runs; ++run) {
        if (run % 2 == 0)
            plain.push_back(Deal(photos));
        withTags.push_back(Deal(tagged, &taggedFaces));
        if (run % 2 == 1)
            plain.push_back(Deal(photos));
    }
    std::printf("3. level-4 deal, median of %d: untagged %.0f ms, tagged %.0f ms: %.3fx (goal 1.05x); "
                "%zu tagged faces read\n",
                Runs, Median(plain), Median(withTags), Median(withTags) / Median(plain), taggedFaces);

    // 4. The next deal, prepared once the search has ended, taken by More; and when it is ready,
    // counted from the board shown.
    std::vector<double> taken, ready, preparing, searches;
    for (int run = 0; run < Runs; ++run) {
        const double shown = Now();
        {
            Search search(photos);
            search.Done.wait();
            searches.push_back(search.Ended - search.Started);
        }
        const double searched = Now();
        std::future<std::vector<DecodedPicture>> next = Prepare(photos);
        next.wait();
        ready.push_back(Now() - shown);
        preparing.push_back(Now() - searched);
        const double start = Now();
        const size_t count = next.get().size();
        taken.push_back(Now() - start);
        if (count != Pictures)
            std::printf("  (a prepared deal of %zu pictures)\n", count);
    }
    std::printf("4. More on a prepared deal, median of %d: %.2f ms to take it (worst %.2f); it is ready "
                "%.0f ms after the board shows (worst %.0f), the search %.0f ms and the preparation after it "
                "%.0f ms\n",
                Runs, Median(taken), Worst(taken), Median(ready), Worst(ready), Median(searches),
                Median(preparing));
    return 0;
}

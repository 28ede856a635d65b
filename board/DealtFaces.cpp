#include "board/DealtFaces.h"

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "board/CardPictures.h"
#include "engine/GameEngine.h"
#include "pictures/FaceFraming.h"
#include "pictures/PictureBatch.h"
#include "pictures/ThreadCpuTime.h"
#include "pictures/WorkerPool.h"

namespace {

// One card's picture: what the window's thread hands the worker, and what comes back.
struct Sought {
    int Face;
    std::string Path;
    CardFraming Framing;
    std::string Person;
    int Width;
    int Height;
    bool Known; // Faces holds what a search found, in this run or before
    std::vector<FaceBox> Faces;
    std::vector<uint32_t> Pixels; // decoded again for the framing the faces give; empty when unchanged
};

struct Search {
    // The workers read Stop until they end.
    ~Search() {
        Stop = true;
        if (Done.valid())
            Done.wait();
    }
    std::atomic<bool> Stop{false};
    std::vector<Sought> Pictures;
    std::future<void> Done;
};

// Only the window's thread touches them.
std::unique_ptr<Search> Current;
std::unordered_map<std::string, std::vector<FaceBox>> FoundFaces; // by path, for the run

// A card the faces could frame otherwise, which no tag framed already.
bool WantsFaces(const KeptPicture& picture) {
    if (picture.Pixels.empty() || picture.FacesSought || picture.Framing.HasPerson ||
        !picture.Framing.Faces.empty())
        return false;
    return picture.Framing.Fit == PictureFit::KeepShape || !picture.Person.empty();
}

// On a worker: the picture's faces, and its card's pixels again when they frame it otherwise. Each
// picture is held to the deal's budget of CPU time, and a new deal or a close stops it at once.
void Seek(const Search& search, Sought* sought) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    const double start = ThreadCpuSeconds();
    const DecodeStop stop{
        [&] { return search.Stop.load() || ThreadCpuSeconds() - start > PictureCpuBudgetSeconds; }};
    sought->Known =
        FrameByFaces(sought->Path.c_str(), sought->Framing, !sought->Person.empty(), sought->Width,
                     sought->Height, stop, sought->Known, &sought->Faces, &sought->Pixels);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

} // namespace

void FindDealtFaces() {
    StopFindingFaces();
    auto search = std::make_unique<Search>();
    for (int face = 1; face < CardImageCount; ++face) {
        const KeptPicture& picture = KeptPictures[face];
        if (!WantsFaces(picture))
            continue;
        const auto found = FoundFaces.find(picture.Path);
        const bool known = found != FoundFaces.end();
        search->Pictures.push_back({face,
                                    picture.Path,
                                    picture.Framing,
                                    picture.Person,
                                    picture.Width,
                                    picture.Height,
                                    known,
                                    known ? found->second : std::vector<FaceBox>(),
                                    {}});
    }
    if (search->Pictures.empty())
        return;
    Search* running = search.get();
    const HWND window = Engine->Window;
    search->Done = RunLater([running, window] {
        RunOnWorkers(running->Pictures.size(), DecodeThreadCount(),
                     [running](size_t i) { Seek(*running, &running->Pictures[i]); });
        PostMessageA(window, FacesFoundMessage, 0, 0);
    });
    Current = std::move(search);
}

bool FindingDealtFaces() {
    return Current != nullptr;
}

void TakeFoundFaces() {
    // A message of a search stopped since finds none done.
    if (Current == nullptr || Current->Done.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    const std::unique_ptr<Search> search = std::move(Current);
    for (Sought& sought : search->Pictures) {
        KeptPicture& picture = KeptPictures[sought.Face];
        if (!sought.Known || picture.Path != sought.Path)
            continue;
        FoundFaces[sought.Path] = sought.Faces;
        picture.FacesSought = true;
        picture.Framing = FramedByFaces(picture.Framing, !picture.Person.empty(), sought.Faces);
        if (!sought.Pixels.empty()) {
            picture.Pixels = std::move(sought.Pixels);
            RemakeCard(sought.Face);
        }
    }
    // The next deal is prepared once the board is drawn again.
    Engine->FrameWanted = TRUE;
}

void StopFindingFaces() {
    Current.reset();
}

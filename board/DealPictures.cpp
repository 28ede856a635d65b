#include "board/DealPictures.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>
#include <utility>

#include "app/PeopleIndexing.h"
#include "pictures/PictureDecoder.h"
#include "pictures/ThreadCpuTime.h"
#include "pictures/WorkerPool.h"
#include "res/resource.h"
#include "rules/Shuffle.h"

namespace {

// A deal that keeps the player waiting longer than this shows the wait cursor.
const auto WaitCursorDelay = std::chrono::milliseconds(100);

// How often a waiting deal looks whether the player wants to leave.
const auto LeaveCheckDelay = std::chrono::milliseconds(40);

// A close, Exit or the close box waits in the queue of the window's thread, which is busy with a
// deal. Only posted messages and input are looked at: no sent message runs inside the deal.
bool LeaveAsked() {
    const UINT look = PM_NOREMOVE | PM_QS_POSTMESSAGE | PM_QS_INPUT;
    MSG message;
    const auto waiting = [&](UINT kind) { return PeekMessageA(&message, nullptr, kind, kind, look) != 0; };
    return waiting(WM_CLOSE) || waiting(WM_QUIT) ||
           (waiting(WM_COMMAND) && LOWORD(message.wParam) == IDM_EXIT) ||
           (waiting(WM_SYSCOMMAND) && (message.wParam & 0xFFF0) == SC_CLOSE) ||
           (waiting(WM_NCLBUTTONDOWN) && message.wParam == HTCLOSE) ||
           (waiting(WM_SYSKEYDOWN) && message.wParam == VK_F4);
}

// Waits for the pictures; a player who leaves meanwhile stops the workers at once (wanted set to
// 0), the deal ends with what it has and the message left in the queue then closes the window.
template <typename Result> Result Await(std::future<Result>& decoding, std::atomic<size_t>& wanted) {
    HCURSOR previous = nullptr;
    if (decoding.wait_for(WaitCursorDelay) != std::future_status::ready)
        previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514))); // IDC_WAIT
    while (decoding.wait_for(LeaveCheckDelay) != std::future_status::ready) {
        if (LeaveAsked())
            wanted = 0;
    }
    Result pictures = decoding.get();
    if (previous != nullptr)
        SetCursor(previous);
    return pictures;
}

// Work done ahead of time gives way to everything else the machine does; the worker, which
// lasts, takes its normal priority back after.
void LowerPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

void NormalPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

struct Preparation {
    // The workers read Wanted until they end.
    ~Preparation() {
        if (Decoding.valid())
            Decoding.wait();
    }
    std::vector<std::string> Source; // the list as it stood before the shuffle
    PreparedDeal Deal = {};
    std::atomic<size_t> Wanted{0};
    std::future<std::vector<DecodedPicture>> Decoding;
};

// Only the window's thread touches it.
std::unique_ptr<Preparation> Next;

// The dealt pictures' paths, and their framings beside them.
std::vector<std::string> PathsOf(const std::vector<DealtPicture>& list, DealtFramer framer, PictureFit fit,
                                 std::vector<CardFraming>* framings) {
    std::vector<std::string> paths;
    framings->clear();
    for (const DealtPicture& picture : list) {
        paths.push_back(picture.Path);
        framings->push_back(framer(picture, fit));
    }
    return paths;
}

} // namespace

std::vector<DecodedPicture> DecodeDealtPictures(const std::vector<DealtPicture>& list, DealtFramer framer,
                                                size_t wanted, int width, int height, PictureFit fit) {
    std::vector<CardFraming> framings;
    std::vector<std::string> paths = PathsOf(list, framer, fit, &framings);
    // Outlives the workers: Await returns only once they are done.
    std::atomic<size_t> stillWanted{wanted};
    std::future<std::vector<DecodedPicture>> decoding = RunLater(
        [paths = std::move(paths), framings = std::move(framings), wanted, width, height, fit, &stillWanted] {
            BatchControl control;
            control.Wanted = &stillWanted;
            control.Framings = &framings;
            return DecodeFirstPictures(paths, wanted, width, height, fit, DecodeThreadCount(), control);
        });
    // The player waits for these: the people's index gives them the cores.
    PausePeopleIndexing(true);
    std::vector<DecodedPicture> pictures = Await(decoding, stillWanted);
    PausePeopleIndexing(false);
    return pictures;
}

std::vector<std::vector<uint32_t>> DecodeAgain(const std::vector<std::string>& paths,
                                               const std::vector<CardFraming>& framings, int width,
                                               int height) {
    std::atomic<size_t> wanted{paths.size()}; // 0 once the player leaves
    std::future<std::vector<std::vector<uint32_t>>> decoding =
        RunLater([&paths, &framings, width, height, &wanted] {
            std::vector<std::vector<uint32_t>> pictures(paths.size());
            RunOnWorkers(paths.size(), DecodeThreadCount(), [&](size_t i) {
                const double start = ThreadCpuSeconds();
                const DecodeStop stop{
                    [&] { return wanted == 0 || ThreadCpuSeconds() - start > PictureCpuBudgetSeconds; }};
                if (!paths[i].empty() &&
                    !DecodePicture(paths[i].c_str(), width, height, framings[i], &pictures[i], stop))
                    pictures[i].clear();
            });
            return pictures;
        });
    PausePeopleIndexing(true);
    std::vector<std::vector<uint32_t>> pictures = Await(decoding, wanted);
    PausePeopleIndexing(false);
    return pictures;
}

void PrepareNextDeal(const std::vector<std::string>& list, DealtList dealtList, DealtFramer framer,
                     size_t wanted, int width, int height, PictureFit fit, PairKind kind) {
    CancelNextDeal();
    auto next = std::make_unique<Preparation>();
    next->Source = list;
    next->Deal.Seed = GetTickCount();
    next->Deal.Width = width;
    next->Deal.Height = height;
    next->Deal.Fit = fit;
    next->Deal.Kind = kind;
    next->Wanted = wanted;
    // The draws the deal itself will make again from this seed, on this thread: rand is never
    // called from a worker.
    srand(next->Deal.Seed);
    std::vector<std::string> order = next->Source;
    ShuffleList(order, [] { return rand(); });
    std::vector<CardFraming> framings;
    next->Deal.Dealt = dealtList(order, kind);
    std::vector<std::string> paths = PathsOf(next->Deal.Dealt, framer, fit, &framings);
    Preparation* preparation = next.get();
    next->Decoding = RunLater(
        [preparation, paths = std::move(paths), framings = std::move(framings), wanted, width, height, fit] {
            BatchControl control;
            control.Wanted = &preparation->Wanted;
            control.WorkerStart = LowerPriority;
            control.WorkerEnd = NormalPriority;
            control.Framings = &framings;
            return DecodeFirstPictures(paths, wanted, width, height, fit, DecodeThreadCount(), control);
        });
    Next = std::move(next);
}

bool TakePreparedDeal(const std::vector<std::string>& list, size_t wanted, PictureFit fit, PairKind kind,
                      PreparedDeal* deal) {
    std::unique_ptr<Preparation> next = std::move(Next);
    // A larger board than the one prepared for would be left with blank pairs.
    if (next == nullptr || next->Source != list || next->Deal.Fit != fit || next->Deal.Kind != kind ||
        wanted > next->Wanted) {
        if (next != nullptr)
            next->Wanted = 0;
        return false;
    }
    // A smaller board waits only for its own pictures: they come first in the list's order.
    if (wanted < next->Wanted)
        next->Wanted = wanted;
    next->Deal.Pictures = Await(next->Decoding, next->Wanted);
    *deal = std::move(next->Deal);
    return true;
}

void CancelNextDeal() {
    if (Next != nullptr)
        Next->Wanted = 0;
    Next.reset();
}

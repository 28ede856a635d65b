#include "game/DealPictures.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>
#include <utility>

#include "game/Shuffle.h"

namespace {

// A deal that keeps the player waiting longer than this shows the wait cursor.
const auto WaitCursorDelay = std::chrono::milliseconds(100);

std::vector<DecodedPicture> Await(std::future<std::vector<DecodedPicture>>& decoding) {
    HCURSOR previous = nullptr;
    if (decoding.wait_for(WaitCursorDelay) != std::future_status::ready)
        previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514))); // IDC_WAIT
    std::vector<DecodedPicture> pictures = decoding.get();
    if (previous != nullptr)
        SetCursor(previous);
    return pictures;
}

// Work done ahead of time gives way to everything else the machine does.
void LowerPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

struct Preparation {
    std::vector<std::string> Source; // the list as it stood before the shuffle
    PreparedDeal Deal = {};
    std::atomic<size_t> Wanted{0};
    // Last, so that it is destroyed first: its destructor waits for the workers, which read
    // Wanted until they end.
    std::future<std::vector<DecodedPicture>> Decoding;
};

// Only the window's thread touches it.
std::unique_ptr<Preparation> Next;

} // namespace

std::vector<DecodedPicture> DecodeDealtPictures(const std::vector<std::string>& list, size_t wanted,
                                                int width, int height) {
    std::future<std::vector<DecodedPicture>> decoding =
        std::async(std::launch::async, [paths = list, wanted, width, height] {
            return DecodeFirstPictures(paths, wanted, width, height, DecodeThreadCount());
        });
    return Await(decoding);
}

void PrepareNextDeal(const std::vector<std::string>& list, size_t wanted, int width, int height) {
    CancelNextDeal();
    auto next = std::make_unique<Preparation>();
    next->Source = list;
    next->Deal.Seed = GetTickCount();
    next->Deal.Width = width;
    next->Deal.Height = height;
    next->Wanted = wanted;
    // The draws the deal itself will make again from this seed, on this thread: rand is never
    // called from a worker.
    srand(next->Deal.Seed);
    std::vector<std::string> order = next->Source;
    ShuffleList(order, [] { return rand(); });
    Preparation* preparation = next.get();
    next->Decoding =
        std::async(std::launch::async, [preparation, order = std::move(order), wanted, width, height] {
            BatchControl control;
            control.Wanted = &preparation->Wanted;
            control.WorkerStart = LowerPriority;
            return DecodeFirstPictures(order, wanted, width, height, DecodeThreadCount(), control);
        });
    Next = std::move(next);
}

bool TakePreparedDeal(const std::vector<std::string>& list, size_t wanted, PreparedDeal* deal) {
    std::unique_ptr<Preparation> next = std::move(Next);
    if (next == nullptr || next->Source != list) {
        if (next != nullptr)
            next->Wanted = 0;
        return false;
    }
    // A smaller board waits only for its own pictures: they come first in the list's order.
    if (wanted < next->Wanted)
        next->Wanted = wanted;
    next->Deal.Pictures = Await(next->Decoding);
    *deal = std::move(next->Deal);
    return true;
}

void CancelNextDeal() {
    if (Next != nullptr)
        Next->Wanted = 0;
    Next.reset();
}

#include "pictures/PeopleIndexer.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <utility>

#include "pictures/PeopleSync.h"
#include "pictures/PictureReading.h"
#include "pictures/ThreadCpuTime.h"
#include "pictures/WorkerPool.h"

void NewestFirst(std::vector<ListedPicture>* pictures) {
    std::stable_sort(pictures->begin(), pictures->end(), [](const ListedPicture& a, const ListedPicture& b) {
        return a.WriteTime > b.WriteTime;
    });
}

PeopleIndexer::PeopleIndexer(IndexerSetup setup) : setup_(std::move(setup)) {
    setup_.BatchSize = std::max<size_t>(setup_.BatchSize, 1);
}

PeopleIndexer::~PeopleIndexer() {
    Stop();
}

void PeopleIndexer::Start() {
    if (thread_.joinable())
        return;
    stop_ = false;
    running_ = true;
    thread_ = std::thread([this] { Run(); });
}

void PeopleIndexer::Stop() {
    {
        const std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
    }
    resumed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void PeopleIndexer::Wait() {
    if (thread_.joinable())
        thread_.join();
}

void PeopleIndexer::Pause(bool paused) {
    {
        const std::lock_guard<std::mutex> hold(lock_);
        paused_ = paused;
    }
    resumed_.notify_all();
}

IndexTrouble PeopleIndexer::Trouble() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return trouble_;
}

std::string PeopleIndexer::TroubleReason() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return reason_;
}

// True when the store can no longer be written, the trouble kept: a full disk or a file another
// game writes ends this run's indexing, a read-only one every run's.
bool PeopleIndexer::Halt(FaceIndexStore& store) {
    IndexTrouble trouble = IndexTrouble::None;
    switch (store.Status()) {
        case StoreStatus::Ready:
            return false;
        case StoreStatus::DiskFull:
            trouble = IndexTrouble::DiskFull;
            break;
        case StoreStatus::ReadOnly:
            trouble = IndexTrouble::ReadOnly;
            break;
        case StoreStatus::Busy:
            trouble = IndexTrouble::Busy;
            break;
        case StoreStatus::Unavailable:
            trouble = IndexTrouble::Unavailable;
            break;
    }
    const std::lock_guard<std::mutex> hold(lock_);
    trouble_ = trouble;
    reason_ = store.Reason();
    return true;
}

// Reads the batch's pictures on the workers; whole[i] says picture i was read to its end (or
// failed, or hung), not stopped.
void PeopleIndexer::RunBatch(std::vector<IndexedPicture>* batch, std::vector<char>* whole) {
    std::atomic<size_t> next{0};
    const auto work = [&] {
        if (setup_.WorkerStart)
            setup_.WorkerStart();
        for (;;) {
            const size_t i = next++;
            if (stop_ || i >= batch->size())
                break;
            IndexedPicture& picture = (*batch)[i];
            const auto cpu = [&] { return setup_.CpuSeconds ? setup_.CpuSeconds() : ThreadCpuSeconds(); };
            for (bool again = true; again && !stop_;) {
                // A deal's decode has the cores: the picture in hand gives way, read again after.
                {
                    std::unique_lock<std::mutex> hold(lock_);
                    resumed_.wait(hold, [&] { return !paused_ || stop_; });
                }
                const double start = cpu();
                bool hung = false, gaveWay = false;
                const DecodeStop stop{[&] {
                    gaveWay = gaveWay || paused_;
                    if (stop_ || gaveWay)
                        return true;
                    hung = hung || cpu() - start > setup_.BudgetSeconds;
                    return hung;
                }};
                picture.Faces.clear();
                bool read = false;
                try {
                    // Noted for the crash record from the file's opening to its last face described.
                    const PictureReading reading(picture.File.Path.c_str());
                    read = setup_.Read(picture.File.Path.c_str(), stop, &picture.Faces);
                } catch (...) {
                    read = false;
                }
                again = !read && !hung && gaveWay;
                if (stop_ || again)
                    continue;
                picture.Failed = !read || hung;
                if (picture.Failed)
                    picture.Faces.clear();
                (*whole)[i] = 1;
            }
        }
        if (setup_.WorkerEnd)
            setup_.WorkerEnd();
    };
    std::vector<std::future<void>> workers;
    for (unsigned t = 0; t < std::max(setup_.Threads, 1u); ++t)
        workers.push_back(RunLater(work));
    for (std::future<void>& worker : workers)
        worker.wait();
}

void PeopleIndexer::Run() {
    if (setup_.WorkerStart)
        setup_.WorkerStart();
    const auto tell = [&] {
        if (setup_.Progress)
            setup_.Progress();
    };
    FaceIndexStore store(setup_.StorePath);
    IndexListing listing;
    if (!Halt(store) && setup_.List)
        listing = setup_.List(stop_);
    NewestFirst(&listing.Pictures);
    const IndexWork work =
        stop_ || store.Status() != StoreStatus::Ready ? IndexWork() : store.Compare(listing.Pictures);

    std::vector<std::string> gone;
    for (const std::string& path : work.Gone) {
        if (!setup_.Vanished || setup_.Vanished(path))
            gone.push_back(path);
    }
    std::vector<ListedPicture> toRead;
    size_t passedOver = listing.CloudOnly.size();
    for (const ListedPicture& picture : work.ToRead) {
        if (listing.CloudOnly.count(picture.Path) != 0)
            continue;
        if (setup_.LeftOut && setup_.LeftOut(picture.Path))
            ++passedOver;
        else
            toRead.push_back(picture);
    }
    total_ = listing.Pictures.size() - std::min(passedOver, listing.Pictures.size());
    done_ = total_ - std::min(toRead.size(), size_t(total_));
    bool going = !stop_ && store.Status() == StoreStatus::Ready;
    if (going && !gone.empty())
        going = store.Remove(gone) || !Halt(store);
    // Faces a correction left in no person, or a regrouping an earlier run did not finish.
    if (going)
        going = RegroupPeople(&store) || !Halt(store);
    tell();
    if (going && !toRead.empty() && setup_.Prepare && !setup_.Prepare()) {
        const std::lock_guard<std::mutex> hold(lock_);
        trouble_ = IndexTrouble::NoModels;
        going = false;
    }
    // Regrouping reads every face of the index again: after each batch while that is cheap, and in a
    // library of many thousands of faces once the time since the last one is ten times what it took,
    // so that it never takes more than a tenth of the work, and once more at the end.
    using Clock = std::chrono::steady_clock;
    Clock::time_point regrouped = Clock::now();
    Clock::duration regrouping{};
    bool ungrouped = false;
    const auto regroup = [&] {
        const Clock::time_point start = Clock::now();
        const bool kept = RegroupPeople(&store);
        regrouped = Clock::now();
        regrouping = regrouped - start;
        ungrouped = false;
        return kept;
    };
    for (size_t first = 0; going && !stop_ && first < toRead.size(); first += setup_.BatchSize) {
        std::vector<IndexedPicture> batch;
        for (size_t i = first; i < toRead.size() && i < first + setup_.BatchSize; ++i)
            batch.push_back({toRead[i], false, {}});
        std::vector<char> whole(batch.size(), 0);
        RunBatch(&batch, &whole);
        std::vector<IndexedPicture> kept;
        for (size_t i = 0; i < batch.size(); ++i) {
            if (whole[i])
                kept.push_back(std::move(batch[i]));
        }
        if (!kept.empty() && !store.StoreBatch(kept)) {
            Halt(store);
            break;
        }
        done_ += kept.size();
        ungrouped = ungrouped || !kept.empty();
        const bool last = first + setup_.BatchSize >= toRead.size();
        // A stop waits for no regrouping: the next start does it.
        if (stop_)
            break;
        const bool due = ungrouped && (last || Clock::now() - regrouped >= 10 * regrouping);
        if (due && !regroup() && Halt(store))
            break;
        tell();
    }
    running_ = false;
    tell();
    if (setup_.WorkerEnd)
        setup_.WorkerEnd();
}

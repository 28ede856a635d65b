#include "pictures/PictureBatch.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <mutex>
#include <thread>

#include "pictures/PictureDecoder.h"
#include "pictures/ThreadCpuTime.h"
#include "pictures/WorkerPool.h"

namespace {

// work() run on `threads` lasting workers (at least 2) at once; returns once every one has returned.
void OnWorkers(unsigned threads, const std::function<void()>& work) {
    std::vector<std::future<void>> running;
    for (unsigned i = 0; i < std::max(threads, 2u); ++i)
        running.push_back(RunLater([&work] { work(); }));
    for (std::future<void>& worker : running)
        worker.wait();
    for (std::future<void>& worker : running)
        worker.get();
}

// WorkerStart on the way in, WorkerEnd on the way out.
struct WorkerScope {
    explicit WorkerScope(const BatchControl& control) : Control(control) {
        if (Control.WorkerStart)
            Control.WorkerStart();
    }
    ~WorkerScope() {
        if (Control.WorkerEnd)
            Control.WorkerEnd();
    }
    WorkerScope(const WorkerScope&) = delete;
    WorkerScope& operator=(const WorkerScope&) = delete;
    const BatchControl& Control;
};

enum class Outcome : uint8_t { Untried, Good, Bad, Slow };

// What the workers share: entries are taken in list order, so once `wanted` have decoded every
// entry that could still come earlier in the list has been taken, and no more need be.
struct Batch {
    Batch(const std::vector<std::string>& paths, size_t wanted, int width, int height, PictureFit fit,
          const BatchControl& control)
        : Paths(paths), Wanted(wanted), Width(width), Height(height), Fit(fit), Control(control),
          Pictures(paths.size()), Infos(paths.size()), Outcomes(paths.size(), Outcome::Untried) {}

    const std::vector<std::string>& Paths;
    size_t Wanted;
    int Width;
    int Height;
    PictureFit Fit;
    const BatchControl& Control;
    std::mutex Lock;
    size_t Next = 0;
    size_t Busy = 0; // taken, not yet done
    size_t Decoded = 0;
    std::vector<std::vector<uint32_t>> Pictures;
    std::vector<PictureInfo> Infos;
    std::vector<Outcome> Outcomes;

    size_t StillWanted() const {
        return Control.Wanted != nullptr ? std::min(Wanted, Control.Wanted->load()) : Wanted;
    }

    CardFraming FramingOf(size_t entry) const {
        return Control.Framings != nullptr && entry < Control.Framings->size() ? (*Control.Framings)[entry]
                                                                               : CardFraming(Fit);
    }

    bool Cancelled() const { return Control.Wanted != nullptr && Control.Wanted->load() == 0; }

    double CpuSeconds() const { return Control.CpuSeconds ? Control.CpuSeconds() : ThreadCpuSeconds(); }

    bool Take(size_t* entry) {
        const std::lock_guard<std::mutex> hold(Lock);
        if (Decoded >= StillWanted() || Next >= Paths.size())
            return false;
        *entry = Next++;
        ++Busy;
        return true;
    }

    // The untried entries and those the other workers decode could still make up what is wanted,
    // were this one dropped.
    bool OthersToTry() {
        const std::lock_guard<std::mutex> hold(Lock);
        return Paths.size() - Next + (Busy - 1) + Decoded >= StillWanted();
    }

    // A slow picture is finished when nothing could replace it; either way it counts as slow.
    Outcome Decode(size_t entry, bool budget, std::vector<uint32_t>* pixels, PictureInfo* info) {
        const double start = budget ? CpuSeconds() : 0.0;
        bool slow = false;
        const DecodeStop stop{[&] {
            if (Cancelled())
                return true;
            if (budget && !slow)
                slow = CpuSeconds() - start > PictureCpuBudgetSeconds;
            return slow && OthersToTry();
        }};
        const bool good = DecodePicture(Paths[entry].c_str(), Width, Height, FramingOf(entry), pixels, stop,
                                        Control.ReadInfo ? info : nullptr);
        if (slow)
            return Outcome::Slow;
        return good ? Outcome::Good : Outcome::Bad;
    }

    void Work() {
        const WorkerScope scope(Control);
        size_t entry = 0;
        while (Take(&entry)) {
            std::vector<uint32_t> pixels;
            PictureInfo info;
            const Outcome outcome = Decode(entry, true, &pixels, &info);
            const std::lock_guard<std::mutex> hold(Lock);
            Pictures[entry] = std::move(pixels);
            Infos[entry] = std::move(info);
            Outcomes[entry] = outcome;
            Decoded += outcome == Outcome::Good ? 1 : 0;
            --Busy;
        }
    }

    // When the fast pictures fall short, the slow ones make up the rest in list order, decoded
    // again without a budget where they were dropped part-way.
    void FinishSlowOnes(unsigned threads) {
        std::vector<size_t> slow;
        for (size_t i = 0; i < Paths.size(); ++i) {
            if (Outcomes[i] == Outcome::Slow)
                slow.push_back(i);
        }
        size_t have = Decoded;
        for (size_t from = 0; from < slow.size() && have < StillWanted() && !Cancelled();) {
            const size_t count = std::min(slow.size() - from, StillWanted() - have);
            RunOnWorkers(count, threads, [&](size_t i) {
                std::vector<uint32_t>& pixels = Pictures[slow[from + i]];
                if (!pixels.empty())
                    return;
                const WorkerScope scope(Control);
                if (Decode(slow[from + i], false, &pixels, &Infos[slow[from + i]]) == Outcome::Bad)
                    pixels.clear();
            });
            for (size_t i = from; i < from + count; ++i)
                have += Pictures[slow[i]].empty() ? 0 : 1;
            from += count;
        }
    }
};

} // namespace

std::vector<DecodedPicture> DecodeFirstPictures(const std::vector<std::string>& paths, size_t wanted,
                                                int width, int height, PictureFit fit, unsigned threads,
                                                const BatchControl& control) {
    Batch batch(paths, wanted, width, height, fit, control);
    OnWorkers(threads, [&batch] { batch.Work(); });
    batch.FinishSlowOnes(threads);
    std::vector<DecodedPicture> pictures;
    for (const Outcome kind : {Outcome::Good, Outcome::Slow}) {
        for (size_t i = 0; i < paths.size() && pictures.size() < batch.StillWanted(); ++i) {
            if (batch.Outcomes[i] == kind && !batch.Pictures[i].empty())
                pictures.push_back({i, std::move(batch.Pictures[i]), std::move(batch.Infos[i])});
        }
    }
    return pictures;
}

void RunOnWorkers(size_t count, unsigned threads, const std::function<void(size_t)>& job) {
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < count; i = next++)
            job(i);
    };
    OnWorkers(threads, work);
}

unsigned DecodeThreadCount() {
    return std::max(std::thread::hardware_concurrency(), 2u);
}

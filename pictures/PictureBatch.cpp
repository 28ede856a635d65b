#include "pictures/PictureBatch.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "pictures/PictureDecoder.h"

namespace {

// What the workers share: entries are taken in list order, so once `wanted` have decoded every
// entry that could still come earlier in the list has been taken, and no more need be.
struct Batch {
    Batch(const std::vector<std::string>& paths, size_t wanted, int width, int height,
          const BatchControl& control)
        : Paths(paths), Wanted(wanted), Width(width), Height(height), Control(control),
          Pictures(paths.size()), Good(paths.size()) {}

    const std::vector<std::string>& Paths;
    size_t Wanted;
    int Width;
    int Height;
    const BatchControl& Control;
    std::mutex Lock;
    size_t Next = 0;
    size_t Decoded = 0;
    std::vector<std::vector<uint32_t>> Pictures;
    std::vector<bool> Good;

    size_t StillWanted() const {
        return Control.Wanted != nullptr ? std::min(Wanted, Control.Wanted->load()) : Wanted;
    }

    bool Take(size_t* entry) {
        const std::lock_guard<std::mutex> hold(Lock);
        if (Decoded >= StillWanted() || Next >= Paths.size())
            return false;
        *entry = Next++;
        return true;
    }

    void Work() {
        if (Control.WorkerStart)
            Control.WorkerStart();
        size_t entry = 0;
        while (Take(&entry)) {
            std::vector<uint32_t> pixels;
            const bool good = DecodePicture(Paths[entry].c_str(), Width, Height, &pixels);
            const std::lock_guard<std::mutex> hold(Lock);
            Pictures[entry] = std::move(pixels);
            Good[entry] = good;
            Decoded += good ? 1 : 0;
        }
    }
};

} // namespace

std::vector<DecodedPicture> DecodeFirstPictures(const std::vector<std::string>& paths, size_t wanted,
                                                int width, int height, unsigned threads,
                                                const BatchControl& control) {
    Batch batch(paths, wanted, width, height, control);
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < std::max(threads, 2u); ++i)
        workers.emplace_back(&Batch::Work, &batch);
    for (std::thread& worker : workers)
        worker.join();
    std::vector<DecodedPicture> pictures;
    for (size_t i = 0; i < paths.size() && pictures.size() < batch.StillWanted(); ++i) {
        if (batch.Good[i])
            pictures.push_back({i, std::move(batch.Pictures[i])});
    }
    return pictures;
}

void RunOnWorkers(size_t count, unsigned threads, const std::function<void(size_t)>& job) {
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < count; i = next++)
            job(i);
    };
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < std::max(threads, 2u); ++i)
        workers.emplace_back(work);
    for (std::thread& worker : workers)
        worker.join();
}

unsigned DecodeThreadCount() {
    return std::max(std::thread::hardware_concurrency(), 2u);
}

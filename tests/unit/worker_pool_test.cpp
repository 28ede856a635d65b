#include "pictures/WorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "pictures/PictureBatch.h"

namespace {

// Deal after deal starts no thread: the workers of the first batches take every later one. Two
// batches at once (a deal prepared while the window's thread reads titles) each get workers of their
// own: every job here waits until all four run together, which a pool that queued one batch behind
// the other would never see.
TEST(WorkerPool, StartsWorkersOnlyForTasksRunningAtOnce) {
    std::atomic<int> running{0};
    const auto together = [&](size_t) {
        ++running;
        const auto start = std::chrono::steady_clock::now();
        while (running < 4 && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
            std::this_thread::yield();
        EXPECT_GE(running.load(), 4);
    };
    const auto twoBatches = [&] {
        running = 0;
        std::thread beside([&] { RunOnWorkers(2, 2, together); });
        RunOnWorkers(2, 2, together);
        beside.join();
    };
    twoBatches();
    const unsigned started = PoolWorkersStarted();
    for (int deal = 0; deal < 20; ++deal) {
        twoBatches();
        RunOnWorkers(5, 2, [](size_t) {});
    }
    EXPECT_EQ(PoolWorkersStarted(), started);
}

// A lasting worker is handed back as it was taken: each WorkerStart of a batch is undone by a WorkerEnd.
TEST(WorkerPool, BatchUndoesItsWorkerStart) {
    std::atomic<int> starts{0}, ends{0};
    BatchControl control;
    control.WorkerStart = [&] { ++starts; };
    control.WorkerEnd = [&] { ++ends; };
    const std::vector<std::string> missing(6, testing::TempDir() + "no-such-picture.jpg");
    EXPECT_TRUE(DecodeFirstPictures(missing, 3, 40, 30, PictureFit::Stretch, 2, control).empty());
    EXPECT_EQ(starts.load(), 2);
    EXPECT_EQ(ends.load(), 2);
}

} // namespace

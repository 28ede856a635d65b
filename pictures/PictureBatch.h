// Decoding the pictures of a deal on worker threads.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One decoded picture and the entry of the list it came from.
struct DecodedPicture {
    size_t Entry;
    std::vector<uint32_t> Pixels;
};

// What a batch may be told from outside while it runs: fewer pictures wanted than it was started
// for (it then ends once that many have decoded; 0 stops every worker before its next picture and
// leaves the result incomplete), and a call each worker makes before its first picture (the game
// lowers the priority of work done ahead of time).
struct BatchControl {
    const std::atomic<size_t>* Wanted = nullptr;
    std::function<void()> WorkerStart;
};

// Decodes entries of paths in order until `wanted` pictures have decoded or the list runs out; an
// entry that does not decode is passed over and the next entry takes its place. Worker threads
// (`threads`, at least 2) only decode. Returns the decoded pictures in list order (size <= wanted).
std::vector<DecodedPicture> DecodeFirstPictures(const std::vector<std::string>& paths, size_t wanted,
                                                int width, int height, unsigned threads,
                                                const BatchControl& control = BatchControl());

// Runs job(0) .. job(count - 1) on `threads` workers (at least 2) and returns when all are done;
// each job must touch only values of its own.
void RunOnWorkers(size_t count, unsigned threads, const std::function<void(size_t)>& job);

// One worker per core, and at least 2.
unsigned DecodeThreadCount();

// Decoding the pictures of a deal on worker threads.
#pragma once

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

// Decodes entries of paths in order until `wanted` pictures have decoded or the list runs out; an
// entry that does not decode is passed over and the next entry takes its place. Worker threads
// (`threads`, at least 2) only decode. Returns the decoded pictures in list order (size <= wanted).
std::vector<DecodedPicture> DecodeFirstPictures(const std::vector<std::string>& paths, size_t wanted, int width,
                                                int height, unsigned threads);

// Runs job(0) .. job(count - 1) on `threads` workers (at least 2) and returns when all are done;
// each job must touch only values of its own.
void RunOnWorkers(size_t count, unsigned threads, const std::function<void(size_t)>& job);

// One worker per core, and at least 2.
unsigned DecodeThreadCount();

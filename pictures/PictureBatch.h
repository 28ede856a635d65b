// Decoding the pictures of a deal on worker threads.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pictures/PictureCrop.h"
#include "pictures/PictureInfo.h"

// One decoded picture, the entry of the list it came from and what it carries of itself, read from
// the same bytes.
struct DecodedPicture {
    size_t Entry;
    std::vector<uint32_t> Pixels;
    PictureInfo Info;
};

// A picture that has cost its worker this much CPU time is slow: while the list has other files to
// try it is dropped, and taken only when the fast ones run short.
constexpr double PictureCpuBudgetSeconds = 2.0;

// What a batch may be told from outside while it runs: fewer pictures wanted than it was started
// for (it then ends once that many have decoded; 0 stops every worker, mid-picture too, and
// leaves the result incomplete), and a call each worker makes before its first picture (the game
// lowers the priority of work done ahead of time) and one after its last, which undoes it: the
// workers last and serve other batches after. CpuSeconds, the worker's own CPU time, stands in for
// ThreadCpuSeconds in tests.
struct BatchControl {
    const std::atomic<size_t>* Wanted = nullptr;
    std::function<void()> WorkerStart;
    std::function<void()> WorkerEnd;
    std::function<double()> CpuSeconds;
    // Whether each picture's name and date are read beside its pixels (the benchmark compares).
    bool ReadInfo = true;
    // Entry i's card framing (a person's face, the faces known) in place of the batch's fit; one
    // per path when given.
    const std::vector<CardFraming>* Framings = nullptr;
};

// Decodes entries of paths in order, for width x height cards as fit says, until `wanted` pictures have
// decoded or the list runs out; an entry that does not decode is passed over and the next entry takes its
// place. So is a slow one (over PictureCpuBudgetSeconds), while enough untried entries remain to make up for
// it; when the fast ones fall short, slow ones fill the rest in list order. Worker threads (`threads`, at
// least 2) only decode. Returns the fast pictures in list order, then the slow ones (size <= wanted): which
// come first depends on what each picture costs, never on `wanted` or on the order the workers finish, so a
// smaller batch gets the first pictures of a larger one. The workers are the lasting pool's.
std::vector<DecodedPicture> DecodeFirstPictures(const std::vector<std::string>& paths, size_t wanted,
                                                int width, int height, PictureFit fit, unsigned threads,
                                                const BatchControl& control = BatchControl());

// Runs job(0) .. job(count - 1) on `threads` workers (at least 2) of the lasting pool
// (pictures/WorkerPool.h) and returns when all are done; each job must touch only values of its own.
void RunOnWorkers(size_t count, unsigned threads, const std::function<void(size_t)>& job);

// One worker per core, and at least 2.
unsigned DecodeThreadCount();

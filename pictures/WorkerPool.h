// Threads that last the whole run and take the decoding work handed to them, so that a deal, a
// title read or a large view starts no thread of its own.
#pragma once

#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <utility>

// Runs work on a lasting worker: one waiting for work when there is one, else a new one that stays
// for later tasks. So the workers number the tasks ever running at once, and a task never waits
// behind another. done, when given, runs on the worker once it counts as free again, so that a task
// handed over as soon as done has run finds a worker waiting. Idle workers are joined when the
// program ends.
void RunOnPool(std::function<void()> work, std::function<void()> done = nullptr);

// How many workers the pool has started in this run.
unsigned PoolWorkersStarted();

template <typename Result> void ForwardResult(std::future<Result>& from, std::promise<Result>& to) {
    try {
        to.set_value(from.get());
    } catch (...) {
        to.set_exception(std::current_exception());
    }
}

inline void ForwardResult(std::future<void>& from, std::promise<void>& to) {
    try {
        from.get();
        to.set_value();
    } catch (...) {
        to.set_exception(std::current_exception());
    }
}

// job() run on a lasting worker; its result (or exception) comes through the future once the
// worker is free again. Unlike std::async's, the future does not wait for the job when destroyed:
// its owner waits.
template <typename Job> auto RunLater(Job job) -> std::future<decltype(job())> {
    using Result = decltype(job());
    struct Handover {
        std::packaged_task<Result()> Run;
        std::future<Result> Ran;
        std::promise<Result> Done;
    };
    auto handover = std::make_shared<Handover>();
    handover->Run = std::packaged_task<Result()>(std::move(job));
    handover->Ran = handover->Run.get_future();
    std::future<Result> result = handover->Done.get_future();
    RunOnPool([handover] { handover->Run(); }, [handover] { ForwardResult(handover->Ran, handover->Done); });
    return result;
}

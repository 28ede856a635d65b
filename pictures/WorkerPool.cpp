#include "pictures/WorkerPool.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Task {
    std::function<void()> Work;
    std::function<void()> Done;
};

class WorkerPool {
public:
    ~WorkerPool() {
        {
            const std::lock_guard<std::mutex> hold(Lock);
            Closing = true;
        }
        Wake.notify_all();
        for (std::thread& worker : Workers)
            worker.join();
    }

    void Run(Task task) {
        const std::lock_guard<std::mutex> hold(Lock);
        Tasks.push_back(std::move(task));
        // Every waiting worker takes a task queued before it wakes, under the same lock.
        if (Tasks.size() > Waiting)
            Workers.emplace_back(&WorkerPool::Serve, this);
        else
            Wake.notify_one();
    }

    unsigned Started() {
        const std::lock_guard<std::mutex> hold(Lock);
        return static_cast<unsigned>(Workers.size());
    }

private:
    void Serve() {
        std::unique_lock<std::mutex> hold(Lock);
        ++Waiting;
        for (;;) {
            Wake.wait(hold, [this] { return !Tasks.empty() || Closing; });
            --Waiting;
            if (Tasks.empty())
                return;
            Task task = std::move(Tasks.front());
            Tasks.pop_front();
            hold.unlock();
            task.Work();
            hold.lock();
            ++Waiting;
            hold.unlock();
            if (task.Done)
                task.Done();
            task = Task(); // what it holds goes before the worker waits again
            hold.lock();
        }
    }

    std::mutex Lock;
    std::condition_variable Wake;
    std::deque<Task> Tasks;
    size_t Waiting = 0;
    bool Closing = false;
    std::vector<std::thread> Workers;
};

WorkerPool& Pool() {
    static WorkerPool pool;
    return pool;
}

} // namespace

void RunOnPool(std::function<void()> work, std::function<void()> done) {
    Pool().Run({std::move(work), std::move(done)});
}

unsigned PoolWorkersStarted() {
    return Pool().Started();
}

// What Wine keeps of threads started and ended again and again, without the game: each round, three
// threads (one waiting on two, as a deal's decode was) each touch 64 KB of their stack and fill
// and free a buffer of a picture's size, then end; or the same work handed to three threads that
// last. Prints the process's private memory in RAM (QueryWorkingSetEx) on the way.
//   thread_churn_bench threads|pool [ROUNDS]
#include <windows.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/Measures.h"

namespace {

volatile unsigned Sink;

void Work() {
    volatile char stack[64 * 1024];
    for (size_t i = 0; i < sizeof(stack); i += 512)
        stack[i] = char(i);
    std::vector<unsigned> pixels(300 * 225, 1u); // a kept picture of the soak's cards
    Sink = Sink + pixels[pixels.size() / 2] + unsigned(stack[4096]);
}

// Three lasting threads that each run one Work per round.
class Lasting {
public:
    Lasting() {
        for (int i = 0; i < 3; ++i)
            Threads.emplace_back([this] { Serve(); });
    }
    ~Lasting() {
        {
            const std::lock_guard<std::mutex> hold(Lock);
            Closing = true;
        }
        Wake.notify_all();
        for (std::thread& thread : Threads)
            thread.join();
    }
    void Round() {
        std::unique_lock<std::mutex> hold(Lock);
        ++Asked;
        Done = 0;
        Wake.notify_all();
        Finished.wait(hold, [this] { return Done == 3; });
    }

private:
    void Serve() {
        long seen = 0;
        std::unique_lock<std::mutex> hold(Lock);
        for (;;) {
            Wake.wait(hold, [&] { return Asked != seen || Closing; });
            if (Closing)
                return;
            seen = Asked;
            hold.unlock();
            Work();
            hold.lock();
            if (++Done == 3)
                Finished.notify_one();
        }
    }
    std::mutex Lock;
    std::condition_variable Wake, Finished;
    long Asked = 0;
    int Done = 0;
    bool Closing = false;
    std::vector<std::thread> Threads;
};

void ChurnRound() {
    std::thread outer([] {
        std::thread a(Work), b(Work);
        Work();
        a.join();
        b.join();
    });
    outer.join();
}

} // namespace

int main(int argc, char** argv) {
    const bool pool = argc > 1 && std::strcmp(argv[1], "pool") == 0;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 1000;
    Lasting* lasting = pool ? new Lasting : nullptr;
    const std::function<void()> round = pool ? std::function<void()>([lasting] { lasting->Round(); }) : ChurnRound;
    std::printf("%s, private memory in RAM (MB) after round:", pool ? "three lasting threads" : "three threads started per round");
    for (int i = 0; i <= rounds; ++i) {
        if (i == 10 || i % 100 == 0 || i == rounds)
            std::printf(" %d: %.1f", i, PrivateMemoryNow().InRam);
        round();
    }
    std::printf("\n");
    delete lasting;
    return 0;
}

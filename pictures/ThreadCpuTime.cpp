#include "pictures/ThreadCpuTime.h"

#include <chrono>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace {

double AskSystem() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0.0;
    const auto hundredNs = [](const FILETIME& t) {
        return double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime;
    };
    return (hundredNs(kernel) + hundredNs(user)) * 1e-7;
#else
    timespec now = {};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0)
        return 0.0;
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
#endif
}

// A thread cannot use more CPU than wall time: asked again only once this much wall time has passed.
const auto AskEvery = std::chrono::milliseconds(10);

thread_local double borrowed = 0.0;

} // namespace

void AddBorrowedCpuSeconds(double seconds) {
    borrowed += seconds;
}

double ThreadCpuSeconds() {
    thread_local std::chrono::steady_clock::time_point asked;
    thread_local double seconds = 0.0;
    const auto now = std::chrono::steady_clock::now();
    if (seconds == 0.0 || now - asked >= AskEvery) {
        asked = now;
        seconds = AskSystem();
    }
    return seconds + borrowed;
}

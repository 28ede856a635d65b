// A day of deals: deals a level-4 board by More again and again in the game that is running, each
// one only once the last is on the screen, and prints what the process holds on the way: the
// anonymous memory Linux counts for it, its Win32 heaps and the private memory committed in its
// address space, walked from inside it by heap_walk.dll, which the benchmark loads into it.
//   soak_bench DEALS UNIXPID HEAPWALKDLL   (UNIXPID the Linux process of the running game)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/GameWindow.h"
#include "bench/HeapFigures.h"
#include "bench/Measures.h"
#include "engine/ObjectCounts.h"
#include "res/resource.h"

namespace {

const double MB = 1 << 20;

// A line of /proc/PID/status in kB, through Wine's drive of the Linux root; -1 when unreadable.
double StatusMegabytes(const std::string& unixPid, const char* field) {
    const std::string path = "Z:\\proc\\" + unixPid + "\\status";
    FILE* status = std::fopen(path.c_str(), "r");
    if (status == nullptr)
        return -1;
    char line[256];
    double found = -1;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof(line), status) != nullptr) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':')
            found = std::atof(line + length + 1) / 1024;
    }
    std::fclose(status);
    return found;
}

// The CPU time of the process's threads, in clock ticks, from /proc/PID/stat; -1 when unreadable.
long long CpuTicks(const std::string& unixPid) {
    const std::string path = "Z:\\proc\\" + unixPid + "\\stat";
    FILE* stat = std::fopen(path.c_str(), "r");
    if (stat == nullptr)
        return -1;
    char line[1024] = "";
    const bool read = std::fgets(line, sizeof(line), stat) != nullptr;
    std::fclose(stat);
    const char* field = read ? std::strrchr(line, ')') : nullptr;
    long long user = -1, system = -1;
    // After the name: state, then fields 4 to 13, then utime and stime.
    if (field == nullptr || std::sscanf(field + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lld %lld", &user,
                                        &system) != 2)
        return -1;
    return user + system;
}

// The next deal's preparation done: the process has used at most 20 ms of CPU over half a second.
void WaitUntilQuiet(const std::string& unixPid) {
    const double start = Now();
    long long before = CpuTicks(unixPid);
    while (before >= 0 && Now() - start < 60000) {
        Sleep(500);
        const long long after = CpuTicks(unixPid);
        if (after - before <= 2)
            return;
        before = after;
    }
}

struct Walker {
    HANDLE Ask = nullptr;
    HANDLE Done = nullptr;
    const HeapFigures* Figures = nullptr;
};

// The walker's events and mapping are made here first, so that the DLL finds them when it starts.
bool LoadWalker(HANDLE process, const std::wstring& dll, Walker* walker) {
    walker->Ask = CreateEventW(nullptr, FALSE, FALSE, HeapWalkAsk);
    walker->Done = CreateEventW(nullptr, FALSE, FALSE, HeapWalkDone);
    const HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HeapFigures), HeapWalkFigures);
    if (walker->Ask == nullptr || walker->Done == nullptr || mapping == nullptr)
        return false;
    walker->Figures = static_cast<const HeapFigures*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    const size_t bytes = (dll.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (walker->Figures == nullptr || remote == nullptr || !WriteProcessMemory(process, remote, dll.c_str(), bytes, nullptr))
        return false;
    // kernel32 lies at the same address in every process of the session.
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    const HANDLE thread = CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr);
    if (thread == nullptr)
        return false;
    WaitForSingleObject(thread, 20000);
    DWORD loaded = 0;
    GetExitCodeThread(thread, &loaded);
    CloseHandle(thread);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return loaded != 0;
}

struct Held {
    int Deal;
    double RssAnon;
    double Busy[3];     // by HeapKind
    double Held;        // by every heap: its blocks in use and free
    int Heaps;
    double Committed[int(Holder::Count)];
    double Resident[int(Holder::Count)];
    LONG Allocations[int(Holder::Count)];
    Allocation LargestOther[MaxListedAllocations];
    LONG Surfaces;
    double Threads;
};

Held Measure(const Walker& walker, HWND window, const std::string& unixPid, int deal) {
    WaitUntilQuiet(unixPid);
    Held held = {};
    held.Deal = deal;
    held.RssAnon = StatusMegabytes(unixPid, "RssAnon");
    held.Threads = StatusMegabytes(unixPid, "Threads") * 1024;
    SignalObjectAndWait(walker.Ask, walker.Done, 20000, FALSE);
    held.Heaps = walker.Figures->Heaps;
    for (int i = 0; i < held.Heaps; ++i) {
        const HeapFigure& heap = walker.Figures->Heap[i];
        held.Busy[int(heap.Kind)] += double(heap.Busy) / MB;
        held.Held += double(heap.Busy + heap.Free) / MB;
    }
    for (int holder = 0; holder < int(Holder::Count); ++holder) {
        held.Committed[holder] = double(walker.Figures->Committed[holder]) / MB;
        held.Resident[holder] = double(walker.Figures->Resident[holder]) / MB;
        held.Allocations[holder] = walker.Figures->Allocations[holder];
    }
    std::copy_n(walker.Figures->LargestOther, MaxListedAllocations, held.LargestOther);
    held.Surfaces = LONG(SendMessageW(window, LiveCountMessage(), WPARAM(Counted::Surface), 0));
    return held;
}

// Waits until the first card's pixel shows (or no longer shows) the card back; false after 10 s.
bool WaitForFirstCard(HWND window, bool faceDown) {
    const double start = Now();
    while (ShowsBoard(window) != faceDown) {
        if (Now() - start > 10000)
            return false;
        Sleep(2);
    }
    return true;
}

void PrintHeld(const Held& h) {
    std::printf("%6d %9.1f %9.1f %9.1f %9.1f %10.1f %6d %9.1f %9.1f %9.1f %6ld %9.1f %9.1f %9ld %8.0f\n", h.Deal,
                h.RssAnon, h.Busy[0], h.Busy[1], h.Busy[2], h.Held, h.Heaps, h.Resident[int(Holder::Heaps)],
                h.Resident[int(Holder::Stacks)], h.Resident[int(Holder::Other)], long(h.Allocations[int(Holder::Other)]),
                h.Resident[int(Holder::Images)], h.Resident[int(Holder::Mapped)], long(h.Surfaces), h.Threads);
    std::fflush(stdout);
}

void PrintLargestOther(const Held& h) {
    std::printf("  the other allocations most in RAM after deal %d (base: KB in RAM/committed):", h.Deal);
    for (const Allocation& allocation : h.LargestOther) {
        if (allocation.Committed != 0)
            std::printf(" %llx: %llu/%llu", allocation.Base, allocation.Resident / 1024, allocation.Committed / 1024);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: soak_bench DEALS UNIXPID HEAPWALKDLL\n");
        return 2;
    }
    const int deals = std::atoi(argv[1]);
    const std::string unixPid = argv[2];
    const std::string dllPath = argv[3];
    const std::wstring dll(dllPath.begin(), dllPath.end());

    // The game is started by the script; its window is found by its class.
    const double start = Now();
    HWND window = nullptr;
    while (window == nullptr && Now() - start < 60000) {
        window = FindWindowA("Yorewind", nullptr);
        if (window == nullptr || !ShowsBoard(window)) {
            window = nullptr;
            Sleep(50);
        }
    }
    if (window == nullptr) {
        std::fprintf(stderr, "no board\n");
        return 1;
    }
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, id);
    Walker walker;
    if (process == nullptr || !LoadWalker(process, dll, &walker)) {
        std::fprintf(stderr, "the heap walker did not load\n");
        return 1;
    }
    RECT client;
    GetClientRect(window, &client);
    std::printf("%d deals by More, level 4, a %ldx%ld client; MB unless named\n", deals, client.right, client.bottom);
    std::printf("%6s %9s %9s %9s %9s %10s %6s %9s %9s %9s %6s %9s %9s %9s %8s\n", "deal", "RssAnon", "process",
                "C rt", "other", "all heaps", "heaps", "heaps'", "stacks", "other", "other", "images", "mapped",
                "surfaces", "threads");
    std::printf("%6s %9s %9s %9s %9s %10s %6s %29s %6s %19s\n", "", "", "heap", "heap", "heaps", "in blocks", "",
                "private memory in RAM", "allocs", "in RAM");

    std::vector<Held> held;
    held.push_back(Measure(walker, window, unixPid, 0));
    PrintHeld(held.back());
    int unseen = 0;
    double dealing = 0;
    const LPARAM firstCard = MAKELPARAM(40, 40);
    for (int deal = 1; deal <= deals; ++deal) {
        // The first card turned up, so that the new deal's backs show only once it is on the screen.
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_LBUTTONDOWN, MK_LBUTTON, firstCard, SMTO_NORMAL, 5000, &result);
        if (!WaitForFirstCard(window, false))
            ++unseen;
        const double asked = Now();
        SendMessageA(window, WM_COMMAND, IDM_MORE, 0);
        if (!WaitForFirstCard(window, true))
            ++unseen;
        dealing += Now() - asked;
        if (deal % 50 == 0 || deal == 250 || deal == 750 || deal == deals) {
            held.push_back(Measure(walker, window, unixPid, deal));
            PrintHeld(held.back());
        }
    }
    std::printf("More to the new deal on the screen, mean: %.0f ms; deals not seen in time: %d\n", dealing / deals, unseen);

    const Held* at100 = nullptr;
    for (const Held& h : held)
        at100 = h.Deal == 100 ? &h : at100;
    const Held& last = held.back();
    if (at100 == nullptr || last.RssAnon < 0)
        return 0;
    const double goal = at100->RssAnon * 1.02 + 1;
    std::printf("\nFrom deal 100 to deal %d:\n", last.Deal);
    std::printf("  RssAnon            %+7.1f MB (%.1f to %.1f)\n", last.RssAnon - at100->RssAnon, at100->RssAnon, last.RssAnon);
    const char* kinds[] = {"process heap", "C runtime's heap", "other heaps"};
    for (int kind = 0; kind < 3; ++kind)
        std::printf("  %-18s %+7.1f MB in use\n", kinds[kind], last.Busy[kind] - at100->Busy[kind]);
    std::printf("  %-18s %+7.1f MB in blocks, used or free\n", "all heaps", last.Held - at100->Held);
    std::printf("  %-18s %+7.1f MB (RssAnon beyond the heaps' blocks: stacks, large blocks, Wine's Unix side)\n",
                "outside the heaps", (last.RssAnon - at100->RssAnon) - (last.Held - at100->Held));
    const char* holders[] = {"heaps' allocations", "threads' stacks", "other private", "modules' images",
                             "mapped views"};
    for (int holder = 0; holder < int(Holder::Count); ++holder)
        std::printf("  %-18s %+7.1f MB in RAM, %+7.1f MB committed (%ld to %ld allocations)\n", holders[holder],
                    last.Resident[holder] - at100->Resident[holder], last.Committed[holder] - at100->Committed[holder],
                    long(at100->Allocations[holder]), long(last.Allocations[holder]));
    double privateGrowth = 0;
    for (Holder holder : {Holder::Heaps, Holder::Stacks, Holder::Other})
        privateGrowth += last.Resident[int(holder)] - at100->Resident[int(holder)];
    std::printf("  %-18s %+7.1f MB (RssAnon beyond the private memory in RAM: Wine's Unix side, the images' copies)\n",
                "the rest", last.RssAnon - at100->RssAnon - privateGrowth);
    PrintLargestOther(*at100);
    PrintLargestOther(last);
    std::printf("Goal: RssAnon after deal %d within 2 %% + 1 MB of deal 100's, at most %.1f MB: %s\n", last.Deal, goal,
                last.RssAnon <= goal ? "met" : "NOT met");
    return 0;
}

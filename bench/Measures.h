// What the benchmarks measure with: a millisecond clock and the process's committed memory.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <vector>

inline double Now() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

inline double PrivateMegabytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    // Wine 8 leaves PrivateUsage at 0; PagefileUsage is the same commit count there and on Windows.
    const SIZE_T bytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return double(bytes) / (1 << 20);
}

// The bytes of a region's pages that are in RAM, as Linux counts them under Wine.
inline SIZE_T ResidentBytes(const void* base, SIZE_T size) {
    std::vector<PSAPI_WORKING_SET_EX_INFORMATION> pages(size / 4096);
    for (size_t i = 0; i < pages.size(); ++i)
        pages[i].VirtualAddress = const_cast<char*>(static_cast<const char*>(base)) + i * 4096;
    SIZE_T resident = 0;
    if (!pages.empty() &&
        K32QueryWorkingSetEx(GetCurrentProcess(), pages.data(), DWORD(pages.size() * sizeof(pages[0])))) {
        for (const PSAPI_WORKING_SET_EX_INFORMATION& page : pages)
            resident += page.VirtualAttributes.Valid ? 4096 : 0;
    }
    return resident;
}

// The process's private memory in RAM, in MB; and its largest allocation of private memory, in KB
// committed and in RAM.
struct PrivateMemory {
    double InRam = 0;
    SIZE_T LargestCommitted = 0;
    SIZE_T LargestInRam = 0;
};
inline PrivateMemory PrivateMemoryNow() {
    PrivateMemory found;
    const char* address = nullptr;
    const void* base = nullptr;
    SIZE_T size = 0;
    const void* largest = nullptr;
    MEMORY_BASIC_INFORMATION region;
    SIZE_T inRam = 0;
    while (VirtualQuery(address, &region, sizeof(region)) != 0) {
        if (region.AllocationBase != base) {
            base = region.AllocationBase;
            size = 0;
        }
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            size += region.RegionSize;
            inRam += ResidentBytes(region.BaseAddress, region.RegionSize);
        }
        if (size > found.LargestCommitted) {
            found.LargestCommitted = size;
            largest = base;
        }
        address = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    }
    found.InRam = double(inRam) / (1 << 20);
    found.LargestInRam = largest != nullptr ? ResidentBytes(largest, found.LargestCommitted) / 1024 : 0;
    found.LargestCommitted /= 1024;
    return found;
}

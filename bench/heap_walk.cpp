// A DLL the soak benchmark loads into the game's process (CreateRemoteThread on LoadLibraryW), so
// that the game ships no walk of its own: a thread of it walks every heap of the process each time
// the benchmark asks, and answers in a shared mapping.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <map>
#include <vector>

#include "bench/HeapFigures.h"

namespace {

HANDLE CRuntimeHeap() {
    typedef HANDLE(__cdecl * GetHeapHandle)();
    const HMODULE crt = GetModuleHandleW(L"msvcrt.dll");
    const GetHeapHandle get =
        crt != nullptr ? reinterpret_cast<GetHeapHandle>(reinterpret_cast<void*>(GetProcAddress(crt, "_get_heap_handle"))) : nullptr;
    return get != nullptr ? get() : nullptr;
}

const void* AllocationBaseOf(const void* address) {
    MEMORY_BASIC_INFORMATION region = {};
    return VirtualQuery(address, &region, sizeof(region)) != 0 ? region.AllocationBase : nullptr;
}

// The allocations that heaps' regions and blocks of a size of their own lie in; filled without
// allocating, as the walk would see its own blocks.
struct HeapAllocations {
    const void* Base[8192];
    size_t Count = 0;
    void Add(const void* address) {
        if (Count < sizeof(Base) / sizeof(Base[0]))
            Base[Count++] = AllocationBaseOf(address);
    }
    bool Holds(const void* base) const { return std::find(Base, Base + Count, base) != Base + Count; }
};

// Locked for the walk: the game's threads wait meanwhile instead of changing it under the walk.
void Walk(HANDLE heap, HeapFigure* figure, HeapAllocations* allocations) {
    if (!HeapLock(heap))
        return;
    allocations->Add(heap);
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry)) {
        if ((entry.wFlags & PROCESS_HEAP_REGION) || entry.cbData >= 64 * 1024)
            allocations->Add(entry.lpData);
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            figure->Busy += entry.cbData;
            ++figure->BusyBlocks;
        } else if (!(entry.wFlags & (PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE))) {
            figure->Free += entry.cbData;
        }
    }
    HeapUnlock(heap);
}

// The bytes of the pages in memory, of a region of whole pages.
ULONGLONG ResidentBytes(void* base, SIZE_T size) {
    typedef BOOL(WINAPI * QueryWorkingSetEx)(HANDLE, PVOID, DWORD);
    static const QueryWorkingSetEx query = reinterpret_cast<QueryWorkingSetEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "K32QueryWorkingSetEx")));
    static std::vector<PSAPI_WORKING_SET_EX_INFORMATION> pages;
    const size_t count = size / 4096;
    pages.resize(count);
    for (size_t i = 0; i < count; ++i)
        pages[i].VirtualAddress = static_cast<char*>(base) + i * 4096;
    if (query == nullptr || count == 0 ||
        !query(GetCurrentProcess(), pages.data(), DWORD(count * sizeof(PSAPI_WORKING_SET_EX_INFORMATION))))
        return 0;
    ULONGLONG resident = 0;
    for (const PSAPI_WORKING_SET_EX_INFORMATION& page : pages)
        resident += page.VirtualAttributes.Valid ? 4096 : 0;
    return resident;
}

// Every allocation, its committed bytes and those in memory counted to its holder.
void WalkAddressSpace(const HeapAllocations& heapAllocations, HeapFigures* figures) {
    struct Found {
        ULONGLONG Committed = 0;
        ULONGLONG Resident = 0;
        bool Guarded = false;
        DWORD Type = MEM_PRIVATE;
    };
    std::map<const void*, Found> found;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const char* address = static_cast<const char*>(system.lpMinimumApplicationAddress);
    MEMORY_BASIC_INFORMATION region;
    while (address < system.lpMaximumApplicationAddress && VirtualQuery(address, &region, sizeof(region)) != 0) {
        if (region.State == MEM_COMMIT) {
            Found& allocation = found[region.AllocationBase];
            allocation.Type = region.Type;
            allocation.Committed += region.RegionSize;
            allocation.Resident += ResidentBytes(region.BaseAddress, region.RegionSize);
            allocation.Guarded = allocation.Guarded || (region.Protect & PAGE_GUARD) != 0;
        }
        address = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    }
    std::vector<Allocation> others;
    for (const auto& allocation : found) {
        const Holder holder = allocation.second.Type == MEM_IMAGE        ? Holder::Images
                              : allocation.second.Type == MEM_MAPPED     ? Holder::Mapped
                              : heapAllocations.Holds(allocation.first) ? Holder::Heaps
                              : allocation.second.Guarded               ? Holder::Stacks
                                                                        : Holder::Other;
        figures->Committed[int(holder)] += allocation.second.Committed;
        figures->Resident[int(holder)] += allocation.second.Resident;
        ++figures->Allocations[int(holder)];
        if (holder == Holder::Other)
            others.push_back({ULONGLONG(allocation.first), allocation.second.Committed, allocation.second.Resident});
    }
    std::sort(others.begin(), others.end(), [](const Allocation& a, const Allocation& b) { return a.Resident > b.Resident; });
    std::copy_n(others.begin(), std::min<size_t>(others.size(), MaxListedAllocations), figures->LargestOther);
}

void WalkAll(HeapFigures* figures) {
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    const HANDLE process = GetProcessHeap();
    const HANDLE crt = CRuntimeHeap();
    ZeroMemory(figures, sizeof(*figures));
    static HeapAllocations heapAllocations; // too large for the walker's stack
    heapAllocations.Count = 0;
    for (DWORD i = 0; i < count && i < 256; ++i) {
        HeapFigure single = {};
        single.Kind = heaps[i] == process ? HeapKind::Process : heaps[i] == crt ? HeapKind::CRuntime : HeapKind::Other;
        Walk(heaps[i], &single, &heapAllocations);
        HeapFigure& slot = figures->Heap[figures->Heaps < MaxWalkedHeaps ? figures->Heaps : MaxWalkedHeaps - 1];
        if (figures->Heaps < MaxWalkedHeaps) {
            slot = single;
            ++figures->Heaps;
        } else {
            slot.Busy += single.Busy;
            slot.BusyBlocks += single.BusyBlocks;
            slot.Free += single.Free;
        }
    }
    WalkAddressSpace(heapAllocations, figures);
}

DWORD WINAPI Serve(void*) {
    const HANDLE ask = CreateEventW(nullptr, FALSE, FALSE, HeapWalkAsk);
    const HANDLE done = CreateEventW(nullptr, FALSE, FALSE, HeapWalkDone);
    const HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HeapFigures), HeapWalkFigures);
    HeapFigures* figures =
        mapping != nullptr ? static_cast<HeapFigures*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    if (ask == nullptr || done == nullptr || figures == nullptr)
        return 1;
    while (WaitForSingleObject(ask, INFINITE) == WAIT_OBJECT_0) {
        WalkAll(figures);
        SetEvent(done);
    }
    return 0;
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        const HANDLE thread = CreateThread(nullptr, 0, Serve, nullptr, 0, nullptr);
        if (thread != nullptr)
            CloseHandle(thread);
    }
    return TRUE;
}

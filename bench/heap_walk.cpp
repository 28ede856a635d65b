// A DLL the soak benchmark loads into the game's process (CreateRemoteThread on LoadLibraryW), so
// that the game ships no walk of its own: a thread of it walks every heap of the process each time
// the benchmark asks, and answers in a shared mapping.
#include <windows.h>

#include "bench/HeapFigures.h"

namespace {

HANDLE CRuntimeHeap() {
    typedef HANDLE(__cdecl * GetHeapHandle)();
    const HMODULE crt = GetModuleHandleW(L"msvcrt.dll");
    const GetHeapHandle get =
        crt != nullptr ? reinterpret_cast<GetHeapHandle>(reinterpret_cast<void*>(GetProcAddress(crt, "_get_heap_handle"))) : nullptr;
    return get != nullptr ? get() : nullptr;
}

// Locked for the walk: the game's threads wait meanwhile instead of changing it under the walk.
void Walk(HANDLE heap, HeapFigure* figure) {
    if (!HeapLock(heap))
        return;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            figure->Busy += entry.cbData;
            ++figure->BusyBlocks;
        } else if (!(entry.wFlags & (PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE))) {
            figure->Free += entry.cbData;
        }
    }
    HeapUnlock(heap);
}

void WalkAll(HeapFigures* figures) {
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    const HANDLE process = GetProcessHeap();
    const HANDLE crt = CRuntimeHeap();
    ZeroMemory(figures, sizeof(*figures));
    for (DWORD i = 0; i < count && i < 256; ++i) {
        HeapFigure single = {};
        single.Kind = heaps[i] == process ? HeapKind::Process : heaps[i] == crt ? HeapKind::CRuntime : HeapKind::Other;
        Walk(heaps[i], &single);
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

// What bench/heap_walk.cpp, loaded into the game's process, tells the soak benchmark of its heaps:
// a walk of each of GetProcessHeaps' heaps, asked for through an event and answered in a mapping;
// and of its address space, the private memory committed, by what holds it.
#pragma once

#include <windows.h>

const wchar_t HeapWalkAsk[] = L"Local\\Yorewind.HeapWalk.Ask";
const wchar_t HeapWalkDone[] = L"Local\\Yorewind.HeapWalk.Done";
const wchar_t HeapWalkFigures[] = L"Local\\Yorewind.HeapWalk.Figures";

enum class HeapKind : LONG { Process, CRuntime, Other };

struct HeapFigure {
    HeapKind Kind;
    ULONGLONG Busy;       // bytes handed out
    ULONGLONG BusyBlocks;
    ULONGLONG Free;       // bytes of free blocks
};

const int MaxWalkedHeaps = 64;

// Who holds an allocation of private memory (VirtualQuery's AllocationBase): a heap (its regions and
// its large blocks), a thread (a stack, known by its guard page), or something else; beside them,
// the modules' images and the mapped views.
enum class Holder : LONG { Heaps, Stacks, Other, Images, Mapped, Count };

struct Allocation {
    ULONGLONG Base;
    ULONGLONG Committed;
    ULONGLONG Resident;
};

const int MaxListedAllocations = 12;

struct HeapFigures {
    LONG Heaps; // walked; more than MaxWalkedHeaps are summed into the last
    HeapFigure Heap[MaxWalkedHeaps];
    ULONGLONG Committed[int(Holder::Count)]; // bytes committed
    ULONGLONG Resident[int(Holder::Count)];  // of those, in memory (QueryWorkingSetEx), as RssAnon counts them
    LONG Allocations[int(Holder::Count)];
    Allocation LargestOther[MaxListedAllocations]; // the largest of Holder::Other, largest first
};

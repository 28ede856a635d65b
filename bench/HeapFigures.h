// What bench/heap_walk.cpp, loaded into the game's process, tells the soak benchmark of its heaps:
// a walk of each of GetProcessHeaps' heaps, asked for through an event and answered in a mapping.
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

struct HeapFigures {
    LONG Heaps; // walked; more than MaxWalkedHeaps are summed into the last
    HeapFigure Heap[MaxWalkedHeaps];
};

#include "engine/ObjectCounts.h"

namespace {

// Decoding workers make no counted objects, but a count is cheap to keep exact anyway.
volatile LONG Live[static_cast<int>(Counted::Kinds)] = {};

} // namespace

void CountMade(Counted kind) {
    InterlockedIncrement(&Live[static_cast<int>(kind)]);
}

void CountFreed(Counted kind) {
    InterlockedDecrement(&Live[static_cast<int>(kind)]);
}

LONG LiveCount(Counted kind) {
    return static_cast<int>(kind) < static_cast<int>(Counted::Kinds) ? Live[static_cast<int>(kind)] : -1;
}

UINT LiveCountMessage() {
    static const UINT message = RegisterWindowMessageW(L"Yorewind.LiveCount");
    return message;
}

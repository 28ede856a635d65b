// The game's own windows, timers, surfaces and GDI objects, counted where they are made and freed:
// a count that climbs over many deals is a leak, on systems that answer GetGuiResources with 0 too.
#pragma once

#include <windows.h>

enum class Counted { Window, Timer, Surface, Gdi, Kinds };

void CountMade(Counted kind);
void CountFreed(Counted kind);
LONG LiveCount(Counted kind);

// A registered message of the main window: its answer is the live count of kind wParam, so a
// benchmark in another process reads it.
UINT LiveCountMessage();

// The Statistics dialog's line of the pictures left out after crashes (app/CrashRecord.h) and its
// button, which names them and lets them back in.
#pragma once

#include <windows.h>

// The line says how many are left out; the button is there to press only when some are.
void ShowLeftOut(HWND dialog);

// Names the pictures left out and asks whether to let them back in; those the board's folder holds
// join its pictures at once, the others come with the scan of their folder.
void AskLetBackIn(HWND dialog);

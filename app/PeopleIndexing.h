// The index of the people in the pictures, made while the game runs when the player asked for it.
#pragma once

#include <windows.h>

// Starts reading the pictures' faces for the window; nothing unless RecognisePeople.
void StartPeopleIndexing(HWND window);
// Stops the reading and waits for it; the index is closed afterwards.
void StopPeopleIndexing();
// A deal decodes: the reading waits meanwhile.
void PausePeopleIndexing(bool paused);

struct PeopleIndexProgress {
    bool Running;
    int Done;
    int Total;
};
PeopleIndexProgress CurrentPeopleIndexProgress();

// "Forget": the reading stopped and the index deleted whole; false, after telling the owner which
// file is left, when something stayed (another game holds it).
bool ForgetRecognisedPeople(HWND owner);

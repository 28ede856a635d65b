// The player's word that the game may recognise the people in their pictures: what they are told
// the first time they give it, and forgetting the people again.
#pragma once

#include <windows.h>

// The value beside the settings (REG_DWORD 1) that says the player read what recognising keeps.
extern const char PeopleExplainedValue[];

// The first time: what is kept (each face's measurements, the names given), where, that nothing
// leaves the computer, and how to forget it, with OK and Cancel; true when the player said OK then
// or before.
bool AgreeToRecognising(HWND owner);

// "Forget the people": asked first, the index deleted (app/PeopleIndexing.h) and the player told it
// is done, and recognising off with it: an index forgotten is not made again until the player asks
// anew. True when the index is gone.
bool ForgetPeopleAndStop(HWND owner);

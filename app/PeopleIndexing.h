// The people's index built while the game is played (docs/people-index.md): started after the
// start-up scan when the player asked for it, paused while a deal decodes, stopped at the end of
// the run. Its progress and its troubles show on the status bar.
#pragma once

#include <windows.h>

#include <functional>

#include "board/PeopleWait.h"
#include "pictures/PeopleIndexer.h"

// Posted to the window after each batch kept (and once the work ends): the bar shows the progress.
const UINT PeopleIndexedMessage = WM_APP + 11;

// What reads a picture's faces and what loads dlib's models first (on the indexer's thread, before
// its first picture): a test's own; an empty reader gives back the game's, ReadPictureFaces and
// LoadFaceModels.
void UsePictureFacesReader(PictureFacesReader read, std::function<bool()> prepare);

// Indexes the picture list's pictures not read yet, newest first, on two workers of below-normal
// priority; no-op unless RecognisePeople. Replaces indexing under way.
void StartPeopleIndexing(HWND window);
// Stops and returns once every thread has ended; the store is closed after, and the bar's part goes
// with the next message.
void StopPeopleIndexing();
// A deal decodes: the indexing gives the cores way, and takes them back.
void PausePeopleIndexing(bool paused);

// How far indexing is, as a board waiting for people asks it (board/PeopleWait.h).
PeopleProgressNow CurrentPeopleIndexProgress();

// On PeopleIndexedMessage: the bar's text, the progress while indexing runs, else why it stopped
// short, or nothing.
void ShowPeopleIndexed();

// "Forget": indexing stopped and the index deleted whole; false, after telling the owner which
// file is left, when something stayed (another game holds it).
bool ForgetRecognisedPeople(HWND owner);

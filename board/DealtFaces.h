// The faces of a deal's pictures, found once its board shows: a deal's cards lie face down, so its
// first board never waits for them. A card whose framing they change is made again.
#pragma once

#include <windows.h>

// Posted to the window by the search's worker once it is done.
const UINT FacesFoundMessage = WM_APP + 10;

// Starts finding the faces of the kept pictures whose cards they frame (a kept shape, a person
// tagged without a box) and that no tag boxed, on the deal's workers at below-normal priority,
// each picture once a run. Replaces a search under way.
void FindDealtFaces();

// Whether a search is under way: the next deal is prepared after it.
bool FindingDealtFaces();

// On FacesFoundMessage: each picture's faces go into its framing, and a card they frame otherwise
// is made again from the picture decoded for them.
void TakeFoundFaces();

// Stops a search under way, its workers mid-picture; returns once they have ended.
void StopFindingFaces();

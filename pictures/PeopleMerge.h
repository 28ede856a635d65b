// "Same person" written to the people's index as rules/PeopleCorrections.h has it.
#pragma once

#include <cstdint>

#include "pictures/FaceIndexStore.h"

// The merged person's faces join the kept one, except a face of a picture the kept one shows
// already (a picture shows a person once): it stays behind with the merged person, who is then
// not gone. The kept person's name stands, else the merged one's. False when nothing was written;
// stayed, when given, counts the faces left behind.
bool MergePeopleInIndex(FaceIndexStore* store, int64_t kept, int64_t merged, size_t* stayed = nullptr);

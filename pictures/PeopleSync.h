// The people's index and the grouping's rules side by side: the store's people, faces and refusals
// read into rules' People, the faces in no person placed by AddFaces, and what that made written
// back. A person's number is their id in the store.
#pragma once

#include "pictures/FaceIndexStore.h"
#include "rules/People.h"
#include "rules/PeopleGroups.h"

// Every described face with its person, every person and every refusal the store keeps; false
// when the store could not be read.
bool LoadPeople(FaceIndexStore* store, People* people);

// Places the faces in no person and writes the new people, memberships and names back, each
// person's in a transaction of its own: a write that fails leaves its faces in no person for the
// next call. False when the store could not be read or a write failed (Status says why).
bool RegroupPeople(FaceIndexStore* store, const GroupingOptions& options = {});

// What the player says of the people, which every later placement of faces respects: a name, two
// people who are one, a face that is not that person, a person kept out of deals. Each returns
// false, changing nothing, when a person or face it names is not known.
#pragma once

#include <cstdint>
#include <string>

#include "rules/People.h"

// The person's name, or none when empty; it replaces what a tag gave. Faces tagged with it join
// them from now on, and faces tagged otherwise no longer do.
bool NamePerson(People* people, int64_t number, const std::string& name);

// "Same person": the merged person's faces join the kept one, with the faces they refused; a face the
// kept person refused joins too, the player's later word. A face of a picture the kept person shows
// already stays behind with the merged person (a picture shows a person once); a merged person left
// with no face is gone. The kept person's name stands, else the merged one's.
bool MergePeople(People* people, int64_t kept, int64_t merged);

// "Not this person": the face leaves its person, who never takes it again by itself; the face is in
// no person until the next placement (AddFaces) finds it one. A person left with no face is gone
// unless named or hidden, as the people's index keeps them.
bool NotThisPerson(People* people, int64_t face);

// Kept out of deals, or let back; a hidden person still takes their new faces.
bool HidePerson(People* people, int64_t number, bool hidden);

// How faces become people. A face first joins a person already known: the one its tag names, else
// the one whose nearest face is closest, within the threshold. The faces none takes are grouped
// among themselves by Chinese whispers over the graph of near pairs; faces tagged with one name are
// one person however far apart, a group two names claim is split between them, and a picture shows
// a person once. The player's corrections (rules/PeopleCorrections.h) bind every later placement.
#pragma once

#include <vector>

#include "rules/FaceDescriptor.h"
#include "rules/People.h"

struct GroupingOptions {
    float Threshold = SamePersonDistance;
    unsigned Threads = 0; // all the cores
};

// Places the faces: new ones, and known ones in no person (as "Not this person" leaves them); a
// face already in a person stays there. The same people and faces give the same people every time.
void AddFaces(People* people, const std::vector<Face>& faces, const GroupingOptions& options = {});

// A board of people waits for the people's index while it is still being made, rather than being
// refused: the bar says how far the index is, and the deal comes as soon as enough people are known.
#pragma once

// How far the index is: the pictures read of those to read, while it is being made.
struct PeopleProgressNow {
    bool Running;
    int Done;
    int Total;
};
using PeopleProgressSource = PeopleProgressNow (*)();

// Where the progress comes from (the indexer's); until one is given, the index is never being made.
void TakePeopleProgressFrom(PeopleProgressSource source);

// Whether a board the pictures cannot fill yet may fill by itself: the player asked for the index,
// the pairs are of people, and the index is being made.
bool PeopleStillComing();

// In place of a deal the list cannot fill while people are still coming: the board empty, no card
// of it turning, and the bar saying how far the index is. True when the deal waits so.
bool WaitForPeople();

// The board has no deal: it waits for people, or, the index done with too few, for the player to
// choose another board (IDM_CHOOSE_BOARD, posted to the window).
bool BoardAwaitsDeal();

// After each batch of the index (the indexer's message): a waiting deal is dealt once enough people
// are known; else the bar says how far the index is now, or once it ended, the player chooses again.
void PeopleIndexed();

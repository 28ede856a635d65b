// The names of a list's pictures, for pairs of a name: each picture's title or file name and the
// people its tags name, read once a run, and what a deal of the chosen kind can take from the list.
#pragma once

#include <string>
#include <vector>

#include "pictures/PictureCrop.h"
#include "rules/DealtPicture.h"
#include "rules/PairChoice.h"

// The kind of pairs the next deal deals: the setting as it stands.
PairKind ChosenPairs();

// Each entry's names for a deal of that kind (NamesOfEntry in PairChoice.h): the people its tags
// name and, when the player asked for it, those the people's index recognises in it, else its
// carried title or file name (NameRules.h), else none.
std::vector<EntryNames> NamesOfList(const std::vector<std::string>& list, PairKind kind);

// What a deal of that kind takes, in order (PairableEntries): twins every picture whole; pairs of a
// name the pictures, or the people of them, among the list's first entries whose names make twice
// the level's board.
std::vector<DealtPicture> PairableList(const std::vector<std::string>& list, PairKind kind);

// The name a dealt picture's card gives: its person's, a text saying a person is not named yet in
// that picture, else the picture's (NameRules.h). Known once its names were read.
std::string DealtName(const DealtPicture& picture);

// A kept round of then and now lists each pair's two pictures one after the other: each picture is
// given the person that both show a year apart or more (ThenAndNow.h), in its own tag's spelling;
// none where nobody is any more.
void NameThenAndNowPairs(std::vector<DealtPicture>* pairs);

// Whether a deal of that kind would still give the picture's card as it was given: its person named
// by the picture's tags or still recognised in it by the index, or for the picture whole, nobody
// named or recognised in it. Known once its names were read.
bool StillDealtSo(const DealtPicture& picture, PairKind kind);

// The named people the index recognised in the picture when the deal last read it (its tags'
// names not among them unless the index names them too); none unless the player asked for it.
std::vector<std::string> RecognisedNames(const std::string& path);

// How a dealt picture's card frames it for the fit: a person's card around the face its tags box,
// else the face the index recognised.
// A person tagged without a box is framed by the fit until the faces the game finds show one face.
CardFraming DealtFraming(const DealtPicture& picture, PictureFit fit);

// The pairs a board needs at the level: twins the 18 pictures or more the folder always needed,
// pairs of a name the board's own.
size_t PairsNeeded(int level, PairKind kind);

// The pairs of that kind the list can deal: at least the level's board when it can deal it, since
// names are read only until they make it.
size_t PairsAvailable(const std::vector<std::string>& list, PairKind kind);

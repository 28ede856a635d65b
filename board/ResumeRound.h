// The round left when the window last went, taken up at start-up.
#pragma once

// Lays out the saved round when it is whole, of the folder, subfolders setting and level chosen now
// and of as many players of the same names as Options seats now, and every one of its pictures decodes; false (the saved round
// gone) when a new deal is due instead: the board is then still to be dealt.
bool ResumeSavedRound();

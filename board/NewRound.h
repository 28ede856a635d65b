// Dealing a new board at the current level from the picture list.
#pragma once

#include <string>
#include <vector>

#include "pictures/PictureBatch.h"
#include "rules/DealtPicture.h"
#include "rules/CellGeometry.h"

// Shuffles the picture list, lays the grid out on the client area and deals every picture
// twice, face down. Draws nothing: the next frame shows the new board.
void NewRound();

struct PreparedDeal;

// The deal itself, from the seed: NewRound's seed is the prepared deal's, or the tick count. The
// prepared pictures are taken when they were decoded at the size of this deal's cards.
void DealRound(unsigned seed, PreparedDeal* prepared);

// The setting as a deal takes it: a change in Options shows from the next deal on.
PictureFit DealtFit();
// Calm play as a deal, or a kept round taken up, takes it: before the bar and the cards are made.
void TakeCalmSetting();

// The decoded pictures of the list become the cards: picture number n is pictures[n - 1], kept at
// that size and fit; a picture missing leaves its pair blank.
void KeepDealtPictures(const std::vector<DealtPicture>& list, std::vector<DecodedPicture>* pictures,
                       PixelSize kept, PictureFit fit);

// The board is dealt: no card seen yet and no miss waiting, drawn at the next frame, told to
// screen readers, the next deal prepared.
void ShowNewBoard();

// Once a deal is on the screen: starts preparing the next one.
void PrepareNextRoundIfWanted();

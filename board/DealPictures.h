// Where a deal's pictures come from: decoded when the deal is asked for, or ahead of time while
// the player looks at the previous board.
#pragma once

#include <string>
#include <vector>

#include "pictures/PictureBatch.h"
#include "rules/DealtPicture.h"
#include "rules/PairChoice.h"

// How a dealt picture's card frames it for the fit (board/PairNames.h): called on the window's thread.
using DealtFramer = CardFraming (*)(const DealtPicture& picture, PictureFit fit);

// The first pictures of the list that decode, `wanted` of them for width x height cards as fit says. The
// window's thread waits for the workers without dispatching messages, so no click or command re-enters the
// deal; a wait longer than a moment shows the wait cursor. A close or Exit waiting in the queue ends the wait
// at once, the deal incomplete.
std::vector<DecodedPicture> DecodeDealtPictures(const std::vector<DealtPicture>& list, DealtFramer framer,
                                                size_t wanted, int width, int height, PictureFit fit);

// The dealt pictures at the paths decoded again for width x height cards, as their framings say (an empty
// path is passed over): for cards that outgrew the pictures kept, after a resize or a DPI change.
// The window's thread waits as for a deal, and a decode ends as a deal's would: at once when a close
// or Exit waits in the queue, and once it has cost its worker PictureCpuBudgetSeconds of CPU. A
// picture stopped so comes back empty, and its card is made from the picture kept.
std::vector<std::vector<uint32_t>> DecodeAgain(const std::vector<std::string>& paths,
                                               const std::vector<CardFraming>& framings, int width,
                                               int height);

// Takes the next deal's seed now, shuffles a copy of the list with it and starts decoding the first
// `wanted` pictures of that order that a deal of the kind takes for width x height cards as fit says, on workers of below-normal priority.
// Replaces a preparation under way. Called on the window's thread once a deal is shown.
// The pictures of the shuffled list a deal of this kind takes, in order (PairableList).
using DealtList = std::vector<DealtPicture> (*)(const std::vector<std::string>& list, PairKind kind);
void PrepareNextDeal(const std::vector<std::string>& list, DealtList dealtList, DealtFramer framer,
                     size_t wanted, int width, int height, PictureFit fit, PairKind kind);

// A prepared deal made from exactly this list for this fit: waits for its first `wanted` pictures
// when they are still being decoded, and hands over its seed, its pictures (in the order of the
// shuffled list) and their size. False when there is none or it was made from another list, fit or
// kind of pairs, or for fewer pictures, which is then dropped.
struct PreparedDeal {
    unsigned Seed;
    std::vector<DecodedPicture> Pictures;
    int Width;
    int Height;
    PictureFit Fit;
    PairKind Kind;
    std::vector<DealtPicture> Dealt; // what the pictures were decoded for, in the list's order
};
bool TakePreparedDeal(const std::vector<std::string>& list, size_t wanted, PictureFit fit, PairKind kind,
                      PreparedDeal* deal);

// Stops a preparation under way, its workers mid-picture; returns once they have ended.
void CancelNextDeal();

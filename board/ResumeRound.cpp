#include "board/ResumeRound.h"

#include <cstring>

#include "app/PlayerSettings.h"
#include "app/RoundStore.h"
#include "app/Settings.h"
#include "board/CardPictures.h"
#include "board/DealPictures.h"
#include "board/NewRound.h"
#include "board/PairNames.h"
#include "board/RoundTime.h"
#include "board/StatusBar.h"
#include "engine/GameEngine.h"
#include "rules/Deal.h"
#include "rules/GameState.h"
#include "rules/SavedRound.h"

namespace {

// Kept for the table it was left at: the same folder, level and kind of pairs, as many players as
// Options now seats, the same names in the same seats.
bool SameTable(const KeptRound& round) {
    if (round.Level != Level || round.Pairs != ChosenPairs() || round.Subfolders != Subfolders || round.Folder != PicturePath ||
        round.Players.Count != Players)
        return false;
    for (int seat = 0; seat < round.Players.Count; ++seat) {
        if (round.Names[size_t(seat)] != PlayerName(seat))
            return false;
    }
    return true;
}

// Every picture, decoded in its place: one that no longer does means a new deal.
bool AllDecoded(const std::vector<DecodedPicture>& pictures, size_t pairs) {
    if (pictures.size() != pairs)
        return false;
    for (size_t number = 0; number < pairs; ++number) {
        if (pictures[number].Entry != number || pictures[number].Pixels.empty())
            return false;
    }
    return true;
}

// The round's pictures as a deal lists them, their names read. A pair of then and now is given the
// person both its pictures show a year apart or more (a record may not say); none where nobody is
// any more, or where the record named another.
std::vector<DealtPicture> PicturesOfRound(const KeptRound& round) {
    std::vector<DealtPicture> list = DealtListOfRound(round);
    std::vector<std::string> paths;
    for (const DealtPicture& picture : list)
        paths.push_back(picture.Path);
    NamesOfList(paths, round.Pairs);
    if (round.Pairs == PairKind::ThenAndNow) {
        std::vector<DealtPicture> now = list;
        NameThenAndNowPairs(&now);
        for (size_t i = 0; i < list.size(); ++i)
            list[i].Person =
                list[i].Person.empty() || list[i].Person == now[i].Person ? now[i].Person : std::string();
    }
    return list;
}

// The names its pictures carry now still make the round's pairs, and each card's person is still
// one its picture's tags name or the index recognises in it: a tag taken off between the runs, or
// a face the player said is someone else, deals anew. A person not named yet goes by their number.
bool NamesStillMakeRound(const KeptRound& round) {
    std::vector<std::string> names;
    for (const DealtPicture& picture : PicturesOfRound(round)) {
        if (!StillDealtSo(picture, round.Pairs) ||
            (round.Pairs == PairKind::ThenAndNow && picture.Person.empty()))
            return false;
        names.push_back(picture.Person.empty() ? DealtName(picture) : picture.Person);
    }
    return NamesMakeRound(names, round.Pairs);
}

// The round's seats and grid first, so its pictures are decoded at the size of its cards.
bool LayOut(const KeptRound& round) {
    ApplyLevel(round.Level);
    TakeCalmSetting();
    Round = round.Players;
    FitStatusBarToRound();
    const PixelSize kept = KeptCardSize();
    const PictureFit fit = DealtFit();
    const std::vector<DealtPicture> list = PicturesOfRound(round);
    std::vector<DecodedPicture> pictures =
        DecodeDealtPictures(list, DealtFraming, list.size(), kept.Width, kept.Height, fit);
    if (!AllDecoded(pictures, list.size()))
        return false;
    DeleteCardImages();
    DealtPairs = round.Pairs;
    KeepDealtPictures(list, &pictures, kept, fit);
    ClearBoard();
    std::memcpy(Board, round.Board, sizeof(Board));
    std::memcpy(Side, round.Side, sizeof(Side));
    std::memcpy(FaceUp, round.FaceUp, sizeof(FaceUp));
    ResetTry();
    Tries = round.Tries;
    PairsFound = round.PairsFound;
    ResetRoundTime();
    ResumeRoundTime(round.Seconds);
    ShowNewBoard();
    return true;
}

} // namespace

bool ResumeSavedRound() {
    KeptRound round;
    // Pictures renamed since are no pairs of a name any more.
    const bool whole = RoundOfValues(ReadSavedRound(), &round) && SameTable(round) &&
                       (round.Pairs == PairKind::Twins || NamesStillMakeRound(round));
    // Taken up or not, a saved round is played once.
    DeleteSavedRound();
    return whole && LayOut(round);
}

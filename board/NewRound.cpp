#include "board/NewRound.h"

#include <cstdlib>
#include <utility>

#include "app/PlayerSettings.h"
#include "app/RoundStore.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "board/BoardAccessible.h"
#include "board/CardPictures.h"
#include "board/ComputerTurn.h"
#include "board/DealPictures.h"
#include "board/DealtFaces.h"
#include "board/MissTurnBack.h"
#include "board/PairNames.h"
#include "board/PeopleWait.h"
#include "board/RenderBoard.h"
#include "board/RoundTime.h"
#include "board/StatusBar.h"
#include "board/Voice.h"
#include "engine/GameEngine.h"
#include "rules/CardGlow.h"
#include "rules/CardTitles.h"
#include "rules/CellGeometry.h"
#include "rules/Deal.h"
#include "rules/GameState.h"
#include "rules/NameRules.h"
#include "rules/PlayerTurns.h"
#include "rules/Shuffle.h"

namespace {

// Set by a deal, cleared once the next one is being prepared.
bool PreparationWanted = false;

// The round's players from the settings, the computer in the seats Options gives it, and the bar
// for them, before the deal lays the board out.
void SeatPlayers() {
    StartPlayersRound(&Round, Players);
    for (int seat = 0; seat < Round.Count; ++seat)
        Round.Computer[seat] = IsComputerSeat(seat, Round.Count);
    Round.Strength = Strength;
    FitStatusBarToRound();
}

} // namespace

void TakeCalmSetting() {
    CalmRound = Calm == 1;
}

PictureFit DealtFit() {
    return Fit == 1 ? PictureFit::KeepShape : PictureFit::Stretch;
}

// Where a decoded picture goes: for twins and for a picture with its name, the n-th picture that
// decoded is pair n's; two of one name, and then and now, are entries 2n - 2 and 2n - 1 of the
// list, pair n's first and second face. 0 for a picture no pair takes.
int FaceOfPicture(const DecodedPicture& decoded, size_t order) {
    const size_t pairs = static_cast<size_t>(PairCount());
    if (PicturesPerPair(DealtPairs) == 1)
        return order < pairs ? static_cast<int>(order) + 1 : 0;
    if (decoded.Entry >= 2 * pairs)
        return 0;
    return static_cast<int>(decoded.Entry / 2) + 1 + (decoded.Entry % 2 == 1 ? SecondFace : 0);
}

void KeepDealtPictures(const std::vector<DealtPicture>& list, std::vector<DecodedPicture>* pictures,
                       PixelSize kept, PictureFit fit) {
    std::vector<std::string> paths;
    for (const DealtPicture& picture : list)
        paths.push_back(picture.Path);
    TitleCards(paths, *pictures);
    // Pairs of a name are named by it, both cards alike: a person's name where the card shows one.
    if (DealtPairs != PairKind::Twins) {
        for (int pair = 1; pair <= PairCount(); ++pair) {
            const size_t entry = PicturesPerPair(DealtPairs) == 2   ? size_t(pair - 1) * 2
                                 : size_t(pair) <= pictures->size() ? (*pictures)[size_t(pair - 1)].Entry
                                                                    : list.size();
            CardTitles[pair] = entry < list.size() ? DealtName(list[entry]) : std::string();
            // Someone not named yet is told by the picture they are in, so a second picture of
            // theirs is named by its own; any other second card by its pair's name.
            const bool second = PicturesPerPair(DealtPairs) == 2 && entry + 1 < list.size() &&
                                IsUnnamedPerson(list[entry + 1].Person);
            CardTitles[SecondFace + pair] = second ? DealtName(list[entry + 1]) : std::string();
        }
    }
    for (KeptPicture& picture : KeptPictures)
        picture = KeptPicture();
    for (size_t order = 0; order < pictures->size(); ++order) {
        DecodedPicture& decoded = (*pictures)[order];
        const int face = FaceOfPicture(decoded, order);
        if (face == 0 || decoded.Pixels.empty())
            continue;
        KeptPicture& picture = KeptPictures[face];
        const DealtPicture& dealt = list[decoded.Entry];
        picture.Path = dealt.Path;
        picture.Width = kept.Width;
        picture.Height = kept.Height;
        picture.Framing = DealtFraming(dealt, fit);
        if (picture.Framing.Faces.empty())
            picture.Framing.Faces = decoded.Info.TaggedFaces;
        picture.Pixels = std::move(decoded.Pixels);
        picture.Taken = decoded.Info.Taken;
        picture.Title = decoded.Info.Title.empty() ? PictureTitle(picture.Path) : decoded.Info.Title;
        picture.Person = dealt.Person;
        picture.Name = dealt.Person.empty() ? PairName(decoded.Info.Title, PictureTitle(picture.Path))
                       : IsUnnamedPerson(dealt.Person) ? std::string()
                                                       : dealt.Person;
        for (const TaggedPerson& person : decoded.Info.People)
            picture.People.push_back(person.Name);
        // The caption names each once (LargeViewCaption), a tag and the index alike.
        for (const std::string& person : RecognisedNames(picture.Path))
            picture.People.push_back(person);
    }
    MakeCards();
}

void ShowNewBoard() {
    ForgetSeenCards();
    FollowMiss();
    ShowTurn();
    ShowBoardAtOnce();
    Engine->FrameWanted = TRUE;
    AnnounceDeal();
    StartComputers();
    FindDealtFaces();
    PreparationWanted = true;
}

void NewRound() {
    if (WaitForPeople())
        return;
    PreparedDeal prepared;
    int rows = Rows;
    int columns = Columns;
    GridForLevel(Level, &rows, &columns);
    const PairKind kind = ChosenPairs();
    if (TakePreparedDeal(PictureList, static_cast<size_t>(rows * columns / 2) * PicturesPerPair(kind), DealtFit(),
                         kind, &prepared))
        DealRound(prepared.Seed, &prepared);
    else
        DealRound(GetTickCount(), nullptr);
}

void DealRound(unsigned seed, PreparedDeal* prepared) {
    // Every deal seeds afresh; all its draws come from this seed, in a fixed order.
    srand(seed);
    const RandomDraw draw = [] { return rand(); };
    if (!PictureList.empty())
        ShuffleList(PictureList, draw);

    StopVoice();
    StopFindingFaces();
    ApplyLevel(Level);
    TakeCalmSetting();
    DealtPairs = ChosenPairs();
    DeleteCardImages();
    DeleteSavedRound();
    ResetRoundTime();
    SeatPlayers();

    // Pictures are kept at the largest size their cards can take on this monitor; the cards are
    // made from them at the size they are drawn, so the copy is 1:1. A picture that does not
    // decode gives way to the next one of the list; only when the list runs out do the remaining
    // pairs stay blank. Prepared pictures of another size (the level or the window changed since)
    // are scaled, or decoded again where they are too small.
    const size_t pairs = static_cast<size_t>(PairCount());
    const std::vector<DealtPicture> dealt = PairableList(PictureList, DealtPairs);
    PixelSize kept = KeptCardSize();
    PictureFit fit = DealtFit();
    std::vector<DecodedPicture> pictures;
    // The people's index may have changed the deal since it was prepared (a batch, a rename): its
    // pictures are then another list's.
    if (prepared != nullptr && prepared->Dealt == dealt) {
        pictures = std::move(prepared->Pictures);
        kept = {prepared->Width, prepared->Height};
        fit = prepared->Fit;
    } else {
        pictures = DecodeDealtPictures(dealt, DealtFraming, pairs * PicturesPerPair(DealtPairs), kept.Width,
                                       kept.Height, fit);
    }
    KeepDealtPictures(dealt, &pictures, kept, fit);

    ClearBoard();
    DealPairs(draw);
    ResetTry();
    ShowNewBoard();
}

void PrepareNextRoundIfWanted() {
    // The faces of the board shown come first: its cards may be made again for them.
    if (!PreparationWanted || FindingDealtFaces())
        return;
    PreparationWanted = false;
    const PixelSize kept = KeptCardSize();
    const PairKind kind = ChosenPairs();
    PrepareNextDeal(PictureList, PairableList, DealtFraming, PicturesForLevel(Level) * PicturesPerPair(kind),
                    kept.Width, kept.Height, DealtFit(), kind);
}

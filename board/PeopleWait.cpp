#include "board/PeopleWait.h"

#include <string>

#include "app/RoundStore.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/Texts.h"
#include "board/DealPictures.h"
#include "board/DealtFaces.h"
#include "board/NewRound.h"
#include "board/PairNames.h"
#include "board/RoundTime.h"
#include "board/StatusBar.h"
#include "board/Voice.h"
#include "engine/GameEngine.h"
#include "res/resource.h"
#include "rules/Deal.h"
#include "rules/GameState.h"

namespace {

PeopleProgressSource Progress = nullptr;

// The board has no deal: it waits for people, or for the player once the index ended with too few.
// Only the window's thread touches it.
bool Waiting = false;

PeopleProgressNow ProgressNow() {
    return Progress != nullptr ? Progress() : PeopleProgressNow{false, 0, 0};
}

bool BoardFillsNow() {
    const PairKind kind = ChosenPairs();
    return PairsAvailable(PictureList, kind) >= PairsNeeded(Level, kind);
}

void ShowProgress() {
    const PeopleProgressNow now = ProgressNow();
    ShowBarNotice(FormatText(IDS_PEOPLE_STILL_COMING, {now.Done, now.Total}));
}

} // namespace

void TakePeopleProgressFrom(PeopleProgressSource source) {
    Progress = source;
}

bool PeopleStillComing() {
    return RecognisePeople == 1 && ChosenPairs() != PairKind::Twins && ProgressNow().Running;
}

bool WaitForPeople() {
    Waiting = PeopleStillComing() && !BoardFillsNow();
    if (!Waiting) {
        ShowBarNotice(std::wstring());
        return false;
    }
    // The round there was ends as a deal ends it; no card of the empty board is any pair's.
    StopVoice();
    StopFindingFaces();
    CancelNextDeal();
    DeleteSavedRound();
    ApplyLevel(Level);
    ClearBoard();
    ResetTry();
    ResetRoundTime();
    ShowProgress();
    Engine->FrameWanted = TRUE;
    return true;
}

bool BoardAwaitsDeal() {
    return Waiting;
}

void PeopleIndexed() {
    if (!Waiting)
        return;
    if (PeopleStillComing() && !BoardFillsNow()) {
        ShowProgress();
        return;
    }
    if (BoardFillsNow()) {
        NewRound();
        return;
    }
    // The index done with too few: the player is told and chooses another board, as at start-up.
    ShowBarNotice(std::wstring());
    PostMessageW(Engine->Window, WM_COMMAND, IDM_CHOOSE_BOARD, 0);
}

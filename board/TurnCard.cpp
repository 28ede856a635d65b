#include "board/TurnCard.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/PlayerSettings.h"
#include "app/StartupData.h"
#include "app/StatisticsStore.h"
#include "app/Texts.h"
#include "board/BoardAccessible.h"
#include "board/ComputerTurn.h"
#include "board/EndQuestion.h"
#include "board/LargeView.h"
#include "board/MissTurnBack.h"
#include "board/NewRound.h"
#include "board/RenderBoard.h"
#include "board/RoundTime.h"
#include "board/StatusBar.h"
#include "board/Voice.h"
#include "engine/GameEngine.h"
#include "res/resource.h"
#include "rules/CardGlow.h"
#include "rules/CardSpeech.h"
#include "rules/GameState.h"
#include "rules/PlayerTurns.h"
#include "rules/TryRules.h"

namespace {

// The sound resource of each cue, in the order of the Cue enumeration.
const WORD CueSounds[] = {IDW_TURN, IDW_MATCH, IDW_MISS, IDW_COMPLETE};

// A cue that starts stops the one still playing.
void PlayCue(Cue cue) {
    if (!Sound || !CueHeard(cue))
        return;
    PlaySoundA(MAKEINTRESOURCEA(CueSounds[static_cast<int>(cue)]), ModuleInstance, SND_RESOURCE | SND_ASYNC);
}

void EndRound() {
    PlayCue(Cue::Complete);
    // Counted before the question: a round left unanswered by Exit is still finished.
    RecordRound();
    RenderReveal();
    if (MessageBoxW(Engine->Window, EndQuestion().c_str(), LoadText(IDS_APP_TITLE).c_str(), MB_YESNO) == IDYES)
        NewRound();
}

} // namespace

void TurnCard(const Cell& cell) {
    // A board waiting for its deal (board/PeopleWait.h) has cards of no pair.
    if (Board[cell.Column][cell.Row] == 0)
        return;
    StopVoice();
    const BoardFaces before = ShownFaces();
    const ClickOutcome outcome = ApplyClick(cell);
    FollowTry(&Round, outcome, Board[cell.Column][cell.Row]);
    FollowSeenCard(cell, outcome);
    if (outcome.CueCount > 0)
        StartRoundTime();
    if (outcome.RoundEnded)
        EndRoundTime();
    FollowTurnedCard(cell, outcome);
    FollowMiss();
    Engine->FrameWanted = TRUE;
    for (int i = 0; i < outcome.CueCount; ++i)
        PlayCue(outcome.Cues[i]);
    AnnounceTurns(before);
    ShowTurn();
    ShowFoundPair(outcome, PictureOfCard(cell));
    SayFoundPair(outcome, PictureOfCard(cell));
    if (outcome.RoundEnded)
        EndRound();
}

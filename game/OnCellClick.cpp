#include "game/OnCellClick.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/StartupData.h"
#include "app/Texts.h"
#include "engine/GameEngine.h"
#include "game/BoardAccessible.h"
#include "game/CardNames.h"
#include "game/FocusCue.h"
#include "game/GameState.h"
#include "game/HitTest.h"
#include "game/NewRound.h"
#include "game/RenderBoard.h"
#include "game/TryRules.h"
#include "res/resource.h"

namespace {

// The sound resource of each cue, in the order of the Cue enumeration.
const WORD CueSounds[] = {IDW_TURN, IDW_MATCH, IDW_MISS, IDW_COMPLETE};

// A cue that starts stops the one still playing.
void PlayCue(Cue cue) {
    PlaySoundA(MAKEINTRESOURCEA(CueSounds[static_cast<int>(cue)]), ModuleInstance, SND_RESOURCE | SND_ASYNC);
}

void EndRound() {
    PlayCue(Cue::Complete);
    RenderReveal();
    const std::wstring question = FormatText(IDS_END_SOLO, {Tries});
    if (MessageBoxW(Engine->Window, question.c_str(), LoadText(IDS_APP_TITLE).c_str(), MB_YESNO) == IDYES)
        NewRound();
}

} // namespace

void OnCellClick(int x, int y) {
    ShowFocusCue(false);
    RECT client;
    GetClientRect(Engine->Window, &client);
    const DrawnGrid grid = {Columns, Rows, CellWidth, CellHeight};
    Cell cell;
    if (!HitTestCell(x, y, client.right - client.left, client.bottom - client.top, grid, &cell))
        return;
    SetBoardFocus(cell);
    TurnCard(cell);
}

void TurnCard(const Cell& cell) {
    const BoardFaces before = ShownFaces();
    const ClickOutcome outcome = ApplyClick(cell);
    Engine->FrameWanted = TRUE;
    for (int i = 0; i < outcome.CueCount; ++i)
        PlayCue(outcome.Cues[i]);
    AnnounceTurns(before);
    if (outcome.RoundEnded)
        EndRound();
}

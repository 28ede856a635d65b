// The Board page of Options: the level and the kind of pairs, both from the next deal.
#include "app/OptionsChoice.h"
#include "app/OptionsPages.h"

#include "app/Texts.h"
#include "board/PairNames.h"
#include "res/resource.h"
#include "rules/Deal.h"

namespace {

// The kinds' stored numbers run from twins, 0, to this.
const int LastPairKind = static_cast<int>(PairKind::ThenAndNow);

// The first four levels kept their radios' ids; the later three have a band of their own.
int LevelRadio(int level) {
    return level <= 4 ? IDC_LEVEL_BASE + level : IDC_LEVEL_MORE_BASE + level;
}

// The kinds of pairs in the order of their stored numbers, the chosen one selected; the level's radio.
void ShowBoardOptions(HWND page, const OptionsChoice& choice) {
    const HWND list = GetDlgItem(page, IDC_PAIRS);
    for (int kind = 0; kind <= LastPairKind; ++kind)
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(LoadText(IDS_PAIRS_BASE + kind).c_str()));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(ChosenPairs()), 0);
    for (int level = 1; level <= LevelCount; ++level)
        CheckDlgButton(page, LevelRadio(level), level == choice.Level ? BST_CHECKED : BST_UNCHECKED);
}

void TakeBoardOptions(HWND page, OptionsChoice* choice) {
    for (int level = 1; level <= LevelCount; ++level) {
        if (IsDlgButtonChecked(page, LevelRadio(level)))
            choice->Level = level;
    }
    const LRESULT kind = SendDlgItemMessageW(page, IDC_PAIRS, CB_GETCURSEL, 0, 0);
    if (kind >= 0 && kind <= LastPairKind)
        choice->Pairs = static_cast<int>(kind);
}

} // namespace

INT_PTR CALLBACK BoardPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            TakeChoice(page, lParam);
            ShowBoardOptions(page, *ChoiceOf(page));
            return TRUE;
        case WM_NOTIFY:
            if (!IsApply(lParam))
                return FALSE;
            TakeBoardOptions(page, ChoiceOf(page));
            return AnswerNotification(page, PSNRET_NOERROR);
        default:
            return FALSE;
    }
}

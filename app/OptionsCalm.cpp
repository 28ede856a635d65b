// The Calm play page of Options: calm play, which the rules of play read, and the system's voice
// saying names.
#include "app/OptionsChoice.h"
#include "app/OptionsPages.h"

#include "res/resource.h"

INT_PTR CALLBACK CalmPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            TakeChoice(page, lParam);
            CheckDlgButton(page, IDC_CALM, ChoiceOf(page)->Calm == 1 ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(page, IDC_SAY_NAMES, ChoiceOf(page)->SayNames == 1 ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case WM_NOTIFY:
            if (!IsApply(lParam))
                return FALSE;
            ChoiceOf(page)->Calm = IsDlgButtonChecked(page, IDC_CALM) == BST_CHECKED ? 1 : 0;
            ChoiceOf(page)->SayNames = IsDlgButtonChecked(page, IDC_SAY_NAMES) == BST_CHECKED ? 1 : 0;
            return AnswerNotification(page, PSNRET_NOERROR);
        default:
            return FALSE;
    }
}

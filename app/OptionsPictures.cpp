// The Pictures page of Options: the picture folder, whether its subfolders count, how cards show
// their pictures, and whether the people in them are recognised.
#include "app/OptionsChoice.h"
#include "app/OptionsPages.h"

#include <string>

#include "app/FolderPicker.h"
#include "app/RecognisingPeople.h"
#include "app/Settings.h"
#include "app/Texts.h"
#include "res/resource.h"

namespace {

void Check(HWND page, int id, int on) {
    CheckDlgButton(page, id, on == 1 ? BST_CHECKED : BST_UNCHECKED);
}

int Checked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
}

// Include subfolders is read at the next scan (the next start, or the rescan after too few
// pictures); the pictures' shape at the next deal; showing found pairs large at the next pair.
void ShowPictureOptions(HWND page, const OptionsChoice& choice) {
    SetDlgItemTextA(page, IDC_PICTUREPATH, choice.PicturePath.c_str());
    Check(page, IDC_SUBFOLDERS, choice.Subfolders);
    Check(page, IDC_FIT, choice.Fit);
    Check(page, IDC_SHOWFOUND, choice.ShowFound);
    Check(page, IDC_RECOGNISE_PEOPLE, choice.RecognisePeople);
}

// Without a folder the sheet stays open on this page.
LONG_PTR TakePictureOptions(HWND page, OptionsChoice* choice) {
    char path[PathTextSize] = "";
    if (GetDlgItemTextA(page, IDC_PICTUREPATH, path, PathTextSize) == 0)
        return PSNRET_INVALID;
    choice->PicturePath = path;
    choice->Subfolders = Checked(page, IDC_SUBFOLDERS);
    choice->Fit = Checked(page, IDC_FIT);
    choice->ShowFound = Checked(page, IDC_SHOWFOUND);
    choice->RecognisePeople = Checked(page, IDC_RECOGNISE_PEOPLE);
    return PSNRET_NOERROR;
}

// The chosen folder is written at once; Cancel in the sheet does not undo it. One that
// PicturePath cannot hold is refused, and the box keeps what it had. The picker and the message
// belong to the sheet, the page's parent, which they keep from input while they are open.
void BrowseForFolder(HWND page) {
    const HWND sheet = GetParent(page);
    std::wstring picked;
    if (!PickFolder(sheet, LoadText(IDS_BROWSE_TITLE), WindowText(GetDlgItem(page, IDC_PICTUREPATH)),
                    &picked))
        return;
    std::string stored;
    if (!StorablePicturePath(picked, &stored)) {
        MessageBoxW(sheet, LoadText(IDS_PATH_TOO_LONG).c_str(), LoadText(IDS_ERROR_CAPTION).c_str(), MB_OK);
        return;
    }
    CopyPathText(PicturePath, stored.c_str());
    SetDlgItemTextA(page, IDC_PICTUREPATH, PicturePath);
}

// Turned on, the box stays on only when the player agrees to what recognising keeps. The texts
// belong to the sheet, as the folder picker's do.
void RecognisingChecked(HWND page) {
    if (Checked(page, IDC_RECOGNISE_PEOPLE) == 1 && !AgreeToRecognising(GetParent(page)))
        Check(page, IDC_RECOGNISE_PEOPLE, 0);
}

// The index goes at once, as a folder browsed to is kept at once; recognising goes off with it.
void ForgetThePeople(HWND page) {
    if (!ForgetPeopleAndStop(GetParent(page)))
        return;
    Check(page, IDC_RECOGNISE_PEOPLE, 0);
    ChoiceOf(page)->RecognisePeople = 0;
}

} // namespace

INT_PTR CALLBACK PicturesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            TakeChoice(page, lParam);
            ShowPictureOptions(page, *ChoiceOf(page));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_BROWSE)
                BrowseForFolder(page);
            else if (LOWORD(wParam) == IDC_RECOGNISE_PEOPLE && HIWORD(wParam) == BN_CLICKED)
                RecognisingChecked(page);
            else if (LOWORD(wParam) == IDC_FORGET_PEOPLE)
                ForgetThePeople(page);
            return FALSE;
        case WM_NOTIFY:
            return IsApply(lParam) ? AnswerNotification(page, TakePictureOptions(page, ChoiceOf(page)))
                                   : FALSE;
        default:
            return FALSE;
    }
}

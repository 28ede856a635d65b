#include "app/OptionsDialog.h"

#include <string>

#include "app/FolderPicker.h"
#include "app/OptionsPlayers.h"
#include "app/Settings.h"
#include "app/Texts.h"
#include "board/PairNames.h"
#include "engine/GameEngine.h"
#include "res/resource.h"
#include "rules/Deal.h"

namespace {

// Include subfolders is read at the next scan (the next start, or the rescan after too few
// pictures); the pictures' shape at the next deal; showing found pairs large at the next pair.
void ShowSwitches(HWND dialog) {
    CheckDlgButton(dialog, IDC_SUBFOLDERS, Subfolders == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_FIT, Fit == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SHOWFOUND, ShowFound == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void TakeSwitches(HWND dialog) {
    Subfolders = IsDlgButtonChecked(dialog, IDC_SUBFOLDERS) == BST_CHECKED ? 1 : 0;
    Fit = IsDlgButtonChecked(dialog, IDC_FIT) == BST_CHECKED ? 1 : 0;
    ShowFound = IsDlgButtonChecked(dialog, IDC_SHOWFOUND) == BST_CHECKED ? 1 : 0;
}

// The first four levels kept their radios' ids; the later three have a band of their own.
int LevelRadio(int level) {
    return level <= 4 ? IDC_LEVEL_BASE + level : IDC_LEVEL_MORE_BASE + level;
}

// The kinds of pairs in the order of their stored numbers, the chosen one selected.
void ShowPairKinds(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_PAIRS);
    for (int kind = 0; kind <= 2; ++kind)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadText(IDS_PAIRS_BASE + kind).c_str()));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(ChosenPairs()), 0);
}

void InitOptions(HWND dialog) {
    ShowPairKinds(dialog);
    for (int level = 1; level <= LevelCount; ++level)
        CheckDlgButton(dialog, LevelRadio(level), level == Level ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(dialog, IDC_PICTUREPATH, PicturePath);
    InitPlayerOptions(dialog);
    ShowSwitches(dialog);
}

// The level is taken even when the dialog then stays open for want of a folder.
void AcceptOptions(HWND dialog, WPARAM wParam) {
    for (int level = 1; level <= LevelCount; ++level) {
        if (IsDlgButtonChecked(dialog, LevelRadio(level)))
            Level = level;
    }
    const LRESULT kind = SendDlgItemMessageW(dialog, IDC_PAIRS, CB_GETCURSEL, 0, 0);
    if (kind >= 0 && kind <= 2)
        Pairs = static_cast<int>(kind);
    AcceptPlayerOptions(dialog);
    TakeSwitches(dialog);
    if (GetDlgItemTextA(dialog, IDC_PICTUREPATH, PicturePath, PathTextSize) != 0)
        EndDialog(dialog, wParam);
}

// The chosen folder is written at once; Cancel in the dialog does not undo it. One that
// PicturePath cannot hold is refused, and the box keeps what it had.
void BrowseForFolder(HWND dialog) {
    std::wstring picked;
    if (!PickFolder(dialog, LoadText(IDS_BROWSE_TITLE), WindowText(GetDlgItem(dialog, IDC_PICTUREPATH)),
                    &picked))
        return;
    std::string stored;
    if (!StorablePicturePath(picked, &stored)) {
        MessageBoxW(dialog, LoadText(IDS_PATH_TOO_LONG).c_str(), LoadText(IDS_ERROR_CAPTION).c_str(), MB_OK);
        return;
    }
    CopyPathText(PicturePath, stored.c_str());
    SetDlgItemTextA(dialog, IDC_PICTUREPATH, PicturePath);
}

BOOL OnOptionsCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK:
            AcceptOptions(dialog, wParam);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, wParam);
            return TRUE;
        case IDC_BROWSE:
            BrowseForFolder(dialog);
            return FALSE;
        default:
            return OnPlayerOptionsCommand(dialog, wParam) ? TRUE : FALSE;
    }
}

} // namespace

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            InitOptions(dialog);
            return TRUE;
        case WM_COMMAND:
            return OnOptionsCommand(dialog, wParam);
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(
                PlayerColourBrush(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        default:
            return FALSE;
    }
}

INT_PTR ShowOptionsDialog(HWND owner) {
    return DialogBoxParamW(Engine->AppInstance, MAKEINTRESOURCEW(IDD_OPTIONS), owner, OptionsDlgProc, 0);
}

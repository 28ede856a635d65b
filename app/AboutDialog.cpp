#include "app/AboutDialog.h"

#include "engine/GameEngine.h"
#include "res/resource.h"

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void ShowAboutBox(HWND owner) {
    DialogBoxParamW(GameEngine::Instance->AppInstance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, AboutDlgProc,
                    0);
}

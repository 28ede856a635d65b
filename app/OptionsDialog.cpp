#include "app/OptionsDialog.h"

#include <commctrl.h>

#include "app/OptionsChoice.h"
#include "app/OptionsPages.h"
#include "app/Texts.h"
#include "engine/GameEngine.h"
#include "res/resource.h"

namespace {

// Runs the sheet until OK or Cancel ends it, or it goes with the window that owns it; true when OK
// ended it. Windows' own loop of a modal sheet moves between tabs on Ctrl+Tab, Wine's does not: so
// the sheet is modeless, and this loop, with its owner disabled as a modal one's is, hands each
// message to the sheet first.
bool RunSheet(HWND sheet, HWND owner) {
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    MSG message = {};
    BOOL got = TRUE;
    while (IsWindow(sheet) && PropSheet_GetCurrentPageHwnd(sheet) != nullptr &&
           (got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (!PropSheet_IsDialogMessage(sheet, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    const bool accepted = IsWindow(sheet) && PropSheet_GetResult(sheet) > 0;
    // The owner first, so that it and not another program is activated when the sheet goes.
    if (owner != nullptr && IsWindow(owner))
        EnableWindow(owner, TRUE);
    if (IsWindow(sheet))
        DestroyWindow(sheet);
    if (got == 0)
        PostQuitMessage(static_cast<int>(message.wParam)); // for the loop that waits on it
    return accepted;
}

} // namespace

INT_PTR ShowOptionsDialog(HWND owner, OptionsPage first) {
    const struct {
        int Template;
        DLGPROC Procedure;
    } pages[] = {{IDD_OPTIONS_PICTURES, PicturesPageProc},
                 {IDD_OPTIONS_BOARD, BoardPageProc},
                 {IDD_OPTIONS_PLAYERS, PlayersPageProc},
                 {IDD_OPTIONS_CALM, CalmPageProc}};
    const int count = sizeof(pages) / sizeof(pages[0]);
    OptionsChoice choice = HeldOptions();
    PROPSHEETPAGEW sheetPages[count] = {};
    for (int i = 0; i < count; ++i) {
        // A page is made when its tab is first chosen; one never opened gives the choice back as
        // it took it, which is why OK keeps the choice and not what each page applied.
        sheetPages[i].dwSize = sizeof(PROPSHEETPAGEW);
        sheetPages[i].hInstance = Engine->AppInstance;
        sheetPages[i].pszTemplate = MAKEINTRESOURCEW(pages[i].Template);
        sheetPages[i].pfnDlgProc = pages[i].Procedure;
        sheetPages[i].lParam = reinterpret_cast<LPARAM>(&choice);
    }
    const std::wstring caption = LoadText(IDS_APP_TITLE);
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_MODELESS;
    header.hwndParent = owner;
    header.hInstance = Engine->AppInstance;
    header.pszCaption = caption.c_str();
    header.nPages = count;
    header.nStartPage = static_cast<UINT>(first);
    header.ppsp = sheetPages;
    const HWND sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (sheet == nullptr || sheet == reinterpret_cast<HWND>(-1))
        return -1;
    if (!RunSheet(sheet, owner))
        return IDCANCEL;
    KeepOptions(choice);
    return IDOK;
}

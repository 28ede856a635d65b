#include "app/StatisticsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/ListColumns.h"
#include "app/StatisticsLeftOut.h"
#include "app/StatisticsStore.h"
#include "app/Texts.h"
#include "engine/GameEngine.h"
#include "res/resource.h"
#include "rules/Deal.h"
#include "rules/RoundClock.h"

namespace {

const size_t ShownWinners = 10;

void SetCell(HWND list, int row, int column, std::wstring text) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = &text[0];
    SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, row,
                 reinterpret_cast<LPARAM>(&item));
}

// "12.5", the decimal point as the user writes it.
std::wstring Tenths(uint64_t tenths) {
    wchar_t point[4] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, point, 4);
    return std::to_wstring(tenths / 10) + point + std::to_wstring(tenths % 10);
}

void FillLists(HWND dialog) {
    const HWND levels = GetDlgItem(dialog, IDC_LEVEL_STATS);
    SendMessageW(levels, LVM_DELETEALLITEMS, 0, 0);
    for (int line = 0; line < LevelCount; ++line) {
        const int level = LevelsBySize[line];
        const LevelRecord record = ReadLevelRecord(level);
        SetCell(levels, line, 0, LoadText(IDS_LEVEL_BASE + level));
        SetCell(levels, line, 1, std::to_wstring(record.Rounds));
        SetCell(levels, line, 2, record.Rounds == 0 ? L"" : std::to_wstring(record.Fewest));
        SetCell(levels, line, 3, record.Rounds == 0 ? L"" : Tenths(AverageTenths(record)));
        const uint32_t best = ReadBestTime(level);
        SetCell(levels, line, 4, best == 0 ? L"" : FormatRoundTime(best));
    }
    const HWND wins = GetDlgItem(dialog, IDC_WIN_STATS);
    SendMessageW(wins, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (const WinRecord& win : TopWinners(ReadWins(), ShownWinners)) {
        SetCell(wins, row, 0, win.Name);
        SetCell(wins, row++, 1, std::to_wstring(win.Wins));
    }
    FitListColumns(levels, 5);
    FitListColumns(wins, 2);
}

void InitStatistics(HWND dialog) {
    const HWND levels = GetDlgItem(dialog, IDC_LEVEL_STATS);
    AddListColumn(levels, 0, IDS_STATS_LEVEL);
    AddListColumn(levels, 1, IDS_STATS_ROUNDS);
    AddListColumn(levels, 2, IDS_STATS_FEWEST);
    AddListColumn(levels, 3, IDS_STATS_AVERAGE);
    AddListColumn(levels, 4, IDS_STATS_BEST_TIME);
    const HWND wins = GetDlgItem(dialog, IDC_WIN_STATS);
    AddListColumn(wins, 0, IDS_STATS_PLAYER);
    AddListColumn(wins, 1, IDS_STATS_WINS);
    FillLists(dialog);
    ShowLeftOut(dialog);
}

void AskReset(HWND dialog) {
    if (MessageBoxW(dialog, LoadText(IDS_STATS_RESET_QUESTION).c_str(), LoadText(IDS_STATS_CAPTION).c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ClearStatistics();
    FillLists(dialog);
}

BOOL OnStatisticsCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_STATS_RESET:
            AskReset(dialog);
            return TRUE;
        case IDC_LET_BACK_IN:
            AskLetBackIn(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK StatisticsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            InitStatistics(dialog);
            return TRUE;
        case WM_COMMAND:
            return OnStatisticsCommand(dialog, wParam);
        default:
            return FALSE;
    }
}

void ShowStatisticsDialog(HWND owner) {
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    DialogBoxParamW(Engine->AppInstance, MAKEINTRESOURCEW(IDD_STATISTICS), owner, StatisticsDlgProc, 0);
}

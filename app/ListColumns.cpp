#include "app/ListColumns.h"

#include <algorithm>
#include <string>

#include "app/Texts.h"

void AddListColumn(HWND list, int column, UINT heading, int format) {
    std::wstring text = LoadText(heading);
    LVCOLUMNW entry = {};
    entry.mask = LVCF_TEXT | LVCF_SUBITEM | LVCF_FMT;
    entry.fmt = format;
    entry.pszText = &text[0];
    entry.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&entry));
}

void FitListColumns(HWND list, int columns) {
    RECT area;
    GetClientRect(list, &area);
    const auto textWidth = [list](const wchar_t* text) {
        return int(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
    };
    const int margin = textWidth(L"MM");
    int used = 0;
    for (int column = 0; column < columns; ++column) {
        wchar_t heading[128] = L"";
        LVCOLUMNW entry = {};
        entry.mask = LVCF_TEXT;
        entry.pszText = heading;
        entry.cchTextMax = 128;
        SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&entry));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
        const int cells = int(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        const int width = std::max(cells, textWidth(heading) + margin);
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column, width);
        used += width;
    }
    if (used < area.right) {
        const int first = int(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, first + area.right - used);
    }
}

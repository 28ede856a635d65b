#include "app/PeopleList.h"

#include <algorithm>
#include <string>

#include "app/ListColumns.h"
#include "app/Texts.h"
#include "res/resource.h"

namespace {

void SetCell(HWND list, int row, int column, std::wstring text) {
    LVITEMW item = {};
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = &text[0];
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

int InsertItem(HWND list, int row, std::wstring text, int64_t key, int image) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = &text[0];
    item.lParam = static_cast<LPARAM>(key);
    item.iImage = image;
    return int(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int ImageOf(const std::map<int64_t, int>& images, int64_t key) {
    const auto found = images.find(key);
    return found == images.end() ? 0 : found->second;
}

} // namespace

void SetUpPeopleList(HWND list) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddListColumn(list, 0, IDS_PEOPLE_NAME);
    AddListColumn(list, 1, IDS_PEOPLE_PICTURES, LVCFMT_RIGHT);
    AddListColumn(list, 2, IDS_PEOPLE_DEALS);
}

void ShowPeople(HWND list, const std::vector<StoredPerson>& people, const std::map<int64_t, int>& images,
                const std::vector<int64_t>& selected) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const std::wstring unnamed = LoadText(IDS_PEOPLE_NO_NAME), shown = LoadText(IDS_PEOPLE_SHOWN),
                       hidden = LoadText(IDS_PEOPLE_HIDDEN);
    int focus = -1;
    for (size_t n = 0; n < people.size(); ++n) {
        const StoredPerson& person = people[n];
        const int row = InsertItem(list, int(n), person.Name ? WideText(*person.Name, CP_UTF8) : unnamed,
                                   person.Id, ImageOf(images, person.Id));
        SetCell(list, row, 1, std::to_wstring(person.Pictures));
        SetCell(list, row, 2, person.Hidden ? hidden : shown);
        if (std::find(selected.begin(), selected.end(), person.Id) != selected.end()) {
            ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
            if (focus < 0)
                focus = row;
        }
    }
    if (focus < 0 && !people.empty())
        focus = 0;
    if (focus >= 0) {
        ListView_SetItemState(list, focus, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(list, focus, FALSE);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    FitListColumns(list, 3);
    InvalidateRect(list, nullptr, TRUE);
}

void ShowFaces(HWND list, const std::vector<StoredFace>& faces, const std::map<int64_t, int>& images) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t n = 0; n < faces.size(); ++n) {
        const std::string& path = faces[n].Path;
        const size_t slash = path.find_last_of("\\/");
        InsertItem(list, int(n),
                   WideText(slash == std::string::npos ? path : path.substr(slash + 1), CP_UTF8), faces[n].Id,
                   ImageOf(images, faces[n].Id));
    }
    if (!faces.empty())
        ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ShowImage(HWND list, int64_t key, int image) {
    LVFINDINFOW find = {};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(key);
    const int row = int(SendMessageW(list, LVM_FINDITEMW, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
    if (row < 0)
        return;
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::vector<int64_t> SelectedKeys(HWND list) {
    std::vector<int64_t> keys;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        keys.push_back(static_cast<int64_t>(item.lParam));
    }
    return keys;
}

LRESULT DrawPeopleRow(const NMLVCUSTOMDRAW* draw, const std::vector<StoredPerson>& people) {
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const int64_t key = static_cast<int64_t>(draw->nmcd.lItemlParam);
    const auto person =
        std::find_if(people.begin(), people.end(), [key](const StoredPerson& p) { return p.Id == key; });
    if (person != people.end() && person->Hidden)
        const_cast<NMLVCUSTOMDRAW*>(draw)->clrText = GetSysColor(COLOR_GRAYTEXT);
    return CDRF_DODEFAULT;
}

HIMAGELIST MakeFaceImages(int size) {
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32, 16, 64);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        // A COLORREF is 0x00BBGGRR, a DIB's pixel 0xAARRGGBB.
        const COLORREF face = GetSysColor(COLOR_3DFACE);
        const uint32_t pixel =
            0xFF000000u | (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
        std::fill(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + size_t(size) * size_t(size),
                  pixel);
        ImageList_Add(images, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    return images;
}

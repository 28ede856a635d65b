#include "app/PeopleWindow.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/PeopleFaces.h"
#include "app/PeopleList.h"
#include "app/PeopleListing.h"
#include "app/RecognisingPeople.h"
#include "app/Settings.h"
#include "app/Texts.h"
#include "engine/Dpi.h"
#include "engine/GameEngine.h"
#include "pictures/PeopleIndexFolder.h"
#include "pictures/PeopleMerge.h"
#include "res/resource.h"

namespace {

// Posted by the faces' thread when cut faces wait; private to this dialog.
const UINT FacesCutMessage = WM_USER + 0x100;
// Posted to fill the list again once the list view has finished with a label's edit.
const UINT RefillMessage = WM_USER + 0x101;

struct PeopleWindow {
    std::unique_ptr<FaceIndexStore> Store;
    std::vector<StoredPerson> People; // the rows, in order
    std::vector<StoredFace> Faces;    // the faces list's items
    int64_t FacesOf = 0;              // whose they are
    std::unique_ptr<FacePictures> Cutting;
    HIMAGELIST PeopleImages = nullptr;
    HIMAGELIST FaceImages = nullptr;
    std::map<int64_t, int> PersonImage;
    std::map<int64_t, int> FaceImage;
    bool Filling = false; // the rows' changes while they are made say nothing of the player's choice
};

PeopleWindow* WindowOf(HWND dialog) {
    return reinterpret_cast<PeopleWindow*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

HWND List(HWND dialog) {
    return GetDlgItem(dialog, IDC_PEOPLE_LIST);
}

HWND FacesList(HWND dialog) {
    return GetDlgItem(dialog, IDC_PEOPLE_FACES);
}

const StoredPerson* PersonOf(const PeopleWindow& window, int64_t id) {
    for (const StoredPerson& person : window.People) {
        if (person.Id == id)
            return &person;
    }
    return nullptr;
}

// The line under the list: how many people, none yet, or an index that cannot be read.
void ShowStatus(HWND dialog, const PeopleWindow& window) {
    const std::wstring text = window.Store == nullptr || window.Store->Status() == StoreStatus::Unavailable
                                  ? LoadText(IDS_PEOPLE_UNREADABLE)
                              : window.People.empty()
                                  ? LoadText(IDS_PEOPLE_NONE)
                                  : FormatText(IDS_PEOPLE_COUNT, {unsigned(window.People.size())});
    SetDlgItemTextW(dialog, IDC_PEOPLE_STATUS, text.c_str());
}

// What the player may do with the people chosen: rename one, merge two, hide any, and take a face
// from one.
void ShowChoices(HWND dialog, const PeopleWindow& window) {
    const HWND focus = GetFocus();
    const std::vector<int64_t> chosen = SelectedKeys(List(dialog));
    EnableWindow(GetDlgItem(dialog, IDC_PEOPLE_RENAME), chosen.size() == 1);
    EnableWindow(GetDlgItem(dialog, IDC_PEOPLE_MERGE), chosen.size() == 2);
    EnableWindow(GetDlgItem(dialog, IDC_PEOPLE_HIDE), !chosen.empty());
    const StoredPerson* first = chosen.empty() ? nullptr : PersonOf(window, chosen[0]);
    CheckDlgButton(dialog, IDC_PEOPLE_HIDE, first != nullptr && first->Hidden ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_PEOPLE_NOT_THIS),
                 chosen.size() == 1 && !SelectedKeys(FacesList(dialog)).empty());
    // A button disabled under the keyboard's focus leaves it nowhere: the list takes it.
    if (focus != nullptr && GetParent(focus) == dialog && !IsWindowEnabled(focus))
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(List(dialog)), TRUE);
}

// The faces of the one person chosen, cut first; none when not one is chosen.
void ShowFacesOfChosen(HWND dialog, PeopleWindow* window, bool again) {
    const std::vector<int64_t> chosen = SelectedKeys(List(dialog));
    const int64_t person = chosen.size() == 1 ? chosen[0] : 0;
    if (person == window->FacesOf && !again)
        return;
    window->FacesOf = person;
    window->Faces = person != 0 && window->Store ? window->Store->FacesOf(person) : std::vector<StoredFace>();
    ShowFaces(FacesList(dialog), window->Faces, window->FaceImage);
    std::vector<StoredFace> uncut;
    for (const StoredFace& face : window->Faces) {
        if (window->FaceImage.count(face.Id) == 0)
            uncut.push_back(face);
    }
    if (window->Cutting)
        window->Cutting->WantFaces(uncut);
}

// The people as the index has them now, those chosen chosen again.
void Refill(HWND dialog, PeopleWindow* window, const std::vector<int64_t>& chosen) {
    window->People = window->Store ? ListedPeople(window->Store->People()) : std::vector<StoredPerson>();
    window->Filling = true;
    ShowPeople(List(dialog), window->People, window->PersonImage, chosen);
    window->Filling = false;
    std::vector<int64_t> rows;
    for (const StoredPerson& person : window->People)
        rows.push_back(person.Id);
    if (window->Cutting)
        window->Cutting->WantPeople(rows);
    ShowStatus(dialog, *window);
    ShowFacesOfChosen(dialog, window, true);
    ShowChoices(dialog, *window);
}

// A change the index could not keep (another game writing, the disk full) is told at once.
void Kept(HWND dialog, PeopleWindow* window, bool kept) {
    if (!kept) {
        if (window->Store)
            window->Store->NewTrouble();
        MessageBoxW(dialog, LoadText(IDS_PEOPLE_NOT_KEPT).c_str(), LoadText(IDS_PEOPLE_CAPTION).c_str(),
                    MB_OK | MB_ICONWARNING);
    }
}

void Open(HWND dialog, PeopleWindow* window) {
    window->Store = OpenPeopleIndex();
    const int size = MulDiv(40, int(WindowDpi(dialog)), int(StandardDpi));
    if (window->Store)
        window->Cutting = std::make_unique<FacePictures>(dialog, FacesCutMessage, PeopleIndexPath(), size);
}

void InitPeople(HWND dialog, PeopleWindow* window) {
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    const int size = MulDiv(40, int(WindowDpi(dialog)), int(StandardDpi));
    window->PeopleImages = MakeFaceImages(size);
    window->FaceImages = MakeFaceImages(size);
    SendMessageW(List(dialog), LVM_SETIMAGELIST, LVSIL_SMALL, LPARAM(window->PeopleImages));
    SendMessageW(FacesList(dialog), LVM_SETIMAGELIST, LVSIL_NORMAL, LPARAM(window->FaceImages));
    SetUpPeopleList(List(dialog));
    SendMessageW(dialog, DM_SETDEFID, IDC_PEOPLE_RENAME, 0);
    Open(dialog, window);
    Refill(dialog, window, {});
}

// The faces cut so far join their image lists and rows; the people the list shows next are cut next.
void TakeCutFaces(HWND dialog, PeopleWindow* window) {
    if (!window->Cutting)
        return;
    for (const FacePicture& cut : window->Cutting->Take()) {
        HBITMAP bitmap = FaceBitmap(cut.Pixels, window->Cutting->Size());
        if (bitmap == nullptr)
            continue;
        const int image =
            ImageList_Add(cut.OfPerson ? window->PeopleImages : window->FaceImages, bitmap, nullptr);
        DeleteObject(bitmap);
        if (image < 0)
            continue;
        (cut.OfPerson ? window->PersonImage : window->FaceImage)[cut.Key] = image;
        ShowImage(cut.OfPerson ? List(dialog) : FacesList(dialog), cut.Key, image);
    }
    window->Cutting->FirstShown(size_t(std::max(0, ListView_GetTopIndex(List(dialog)))));
}

void Rename(HWND dialog) {
    const HWND list = List(dialog);
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0 || ListView_GetSelectedCount(list) != 1)
        return;
    SetFocus(list);
    SendMessageW(list, LVM_EDITLABELW, row, 0);
}

// The edit opens on the name itself: a person without one starts from nothing.
BOOL BeginRename(HWND dialog, const PeopleWindow& window, const NMLVDISPINFOW* info) {
    const StoredPerson* person = PersonOf(window, static_cast<int64_t>(info->item.lParam));
    const HWND edit = reinterpret_cast<HWND>(SendMessageW(List(dialog), LVM_GETEDITCONTROL, 0, 0));
    if (person == nullptr || edit == nullptr)
        return TRUE; // no edit
    SendMessageW(edit, EM_LIMITTEXT, MaxPersonName, 0);
    SetWindowTextW(edit, person->Name ? WideText(*person->Name, CP_UTF8).c_str() : L"");
    return FALSE;
}

void EndRename(HWND dialog, PeopleWindow* window, const NMLVDISPINFOW* info) {
    if (info->item.pszText == nullptr || !window->Store)
        return; // cancelled
    const int64_t person = static_cast<int64_t>(info->item.lParam);
    Kept(dialog, window, window->Store->SetName(person, TypedName(NarrowText(info->item.pszText, CP_UTF8))));
    PostMessageW(dialog, RefillMessage, 0, 0);
}

void SamePerson(HWND dialog, PeopleWindow* window) {
    const std::vector<int64_t> chosen = SelectedKeys(List(dialog));
    const StoredPerson* a = chosen.size() == 2 ? PersonOf(*window, chosen[0]) : nullptr;
    const StoredPerson* b = chosen.size() == 2 ? PersonOf(*window, chosen[1]) : nullptr;
    if (a == nullptr || b == nullptr || !window->Store)
        return;
    const StoredPerson& kept = KeptOfTwo(*a, *b);
    const StoredPerson& merged = &kept == a ? *b : *a;
    // Two names become one: the player sees which stands before it is so.
    if (kept.Name && merged.Name && *kept.Name != *merged.Name &&
        MessageBoxW(dialog,
                    FormatText(IDS_PEOPLE_MERGE_QUESTION,
                               {WideText(*kept.Name, CP_UTF8), WideText(*merged.Name, CP_UTF8)})
                        .c_str(),
                    LoadText(IDS_PEOPLE_CAPTION).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const int64_t keptId = kept.Id;
    const std::wstring names[] = {kept.Name ? WideText(*kept.Name, CP_UTF8) : LoadText(IDS_PEOPLE_NO_NAME),
                                  merged.Name ? WideText(*merged.Name, CP_UTF8)
                                              : LoadText(IDS_PEOPLE_NO_NAME)};
    size_t stayed = 0;
    const bool merging = MergePeopleInIndex(window->Store.get(), keptId, merged.Id, &stayed);
    Kept(dialog, window, merging);
    Refill(dialog, window, {keptId});
    // Two faces of one picture are never one person: the player learns why two are left.
    if (merging && stayed > 0)
        MessageBoxW(dialog, FormatText(IDS_PEOPLE_MERGE_NONE, {names[0], names[1]}).c_str(),
                    LoadText(IDS_PEOPLE_CAPTION).c_str(), MB_OK | MB_ICONINFORMATION);
}

void HideChosen(HWND dialog, PeopleWindow* window) {
    const std::vector<int64_t> chosen = SelectedKeys(List(dialog));
    const bool hidden = IsDlgButtonChecked(dialog, IDC_PEOPLE_HIDE) == BST_CHECKED;
    bool kept = true;
    for (int64_t person : chosen)
        kept = kept && window->Store && window->Store->SetHidden(person, hidden);
    Kept(dialog, window, kept);
    Refill(dialog, window, chosen);
}

void NotThisPerson(HWND dialog, PeopleWindow* window) {
    const std::vector<int64_t> faces = SelectedKeys(FacesList(dialog));
    const int64_t person = window->FacesOf;
    if (faces.empty() || person == 0 || !window->Store)
        return;
    bool kept = true;
    for (int64_t face : faces)
        kept = kept && window->Store->Refuse(face, person);
    Kept(dialog, window, kept);
    Refill(dialog, window, {person});
}

// The index's files are let go of first: a store open here would keep them from going.
void Forget(HWND dialog, PeopleWindow* window) {
    window->Cutting.reset();
    window->Store.reset();
    if (ForgetPeopleAndStop(dialog)) {
        EndDialog(dialog, IDOK);
        return;
    }
    Open(dialog, window);
    Refill(dialog, window, SelectedKeys(List(dialog)));
}

BOOL OnPeopleCommand(HWND dialog, PeopleWindow* window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDOK: // Enter, wherever the focus is not on another button
        case IDC_PEOPLE_RENAME:
            Rename(dialog);
            return TRUE;
        case IDC_PEOPLE_MERGE:
            SamePerson(dialog, window);
            return TRUE;
        case IDC_PEOPLE_HIDE:
            HideChosen(dialog, window);
            return TRUE;
        case IDC_PEOPLE_NOT_THIS:
            NotThisPerson(dialog, window);
            return TRUE;
        case IDC_PEOPLE_FORGET:
            Forget(dialog, window);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

LRESULT OnPeopleNotify(HWND dialog, PeopleWindow* window, const NMHDR* header) {
    if (header->idFrom == IDC_PEOPLE_LIST) {
        switch (header->code) {
            case NM_CUSTOMDRAW:
                return DrawPeopleRow(reinterpret_cast<const NMLVCUSTOMDRAW*>(header), window->People);
            case LVN_BEGINLABELEDITW:
                return BeginRename(dialog, *window, reinterpret_cast<const NMLVDISPINFOW*>(header));
            case LVN_ENDLABELEDITW:
                EndRename(dialog, window, reinterpret_cast<const NMLVDISPINFOW*>(header));
                return FALSE; // the list is filled again with the name as kept
            case LVN_KEYDOWN:
                if (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_F2)
                    Rename(dialog);
                return 0;
            case LVN_ITEMCHANGED:
                if (!window->Filling) {
                    ShowFacesOfChosen(dialog, window, false);
                    ShowChoices(dialog, *window);
                }
                return 0;
            default:
                return 0;
        }
    }
    if (header->idFrom == IDC_PEOPLE_FACES && header->code == LVN_ITEMCHANGED)
        ShowChoices(dialog, *window);
    return 0;
}

} // namespace

INT_PTR CALLBACK PeopleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    PeopleWindow* window = WindowOf(dialog);
    switch (message) {
        case WM_INITDIALOG:
            InitPeople(dialog, reinterpret_cast<PeopleWindow*>(lParam));
            return TRUE;
        case WM_COMMAND:
            return window != nullptr && OnPeopleCommand(dialog, window, wParam);
        case WM_NOTIFY:
            if (window == nullptr)
                return FALSE;
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT,
                              OnPeopleNotify(dialog, window, reinterpret_cast<NMHDR*>(lParam)));
            return TRUE;
        case FacesCutMessage:
            if (window != nullptr)
                TakeCutFaces(dialog, window);
            return TRUE;
        case RefillMessage:
            if (window != nullptr)
                Refill(dialog, window, SelectedKeys(List(dialog)));
            return TRUE;
        default:
            return FALSE;
    }
}

void ShowPeopleWindow(HWND owner) {
    if (RecognisePeople != 1) {
        MessageBoxW(owner, LoadText(IDS_PEOPLE_OFF).c_str(), LoadText(IDS_PEOPLE_CAPTION).c_str(),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    PeopleWindow window;
    DialogBoxParamW(Engine->AppInstance, MAKEINTRESOURCEW(IDD_PEOPLE), owner, PeopleDlgProc,
                    reinterpret_cast<LPARAM>(&window));
    window.Cutting.reset(); // its thread posts to the dialog no more
    ImageList_Destroy(window.PeopleImages);
    ImageList_Destroy(window.FaceImages);
}

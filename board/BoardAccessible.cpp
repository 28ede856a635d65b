#include "board/BoardAccessible.h"

#include <oleacc.h>

#include <string>

#include "app/PlayerSettings.h"
#include "app/Texts.h"
#include "board/BoardArea.h"
#include "engine/GameEngine.h"
#include "res/resource.h"
#include "rules/CardGlow.h"
#include "rules/CellGeometry.h"
#include "rules/PlayerTurns.h"

namespace {

// IID_IAccessible, defined here: liboleacc and libuuid would both bring it into a static link.
const IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// With two or more players, who found the picture's pair.
std::wstring FinderName(int picture) {
    if (Round.Count < 2 || Round.Finders[picture] < 0)
        return std::wstring();
    return PlayerName(Round.Finders[picture]);
}

// The name of the card in the player's language, the words and the picture's name as UTF-8.
BSTR NameOf(const Cell& cell) {
    const auto word = [](UINT id) { return NarrowText(LoadText(id), CP_UTF8); };
    const CardWords words = {word(IDS_CARD_PLACE), word(IDS_CARD_FACE_DOWN), word(IDS_CARD_NO_PICTURE),
                             word(IDS_CARD_FOUND), word(IDS_CARD_FOUND_BY), word(IDS_CARD_TURNED_BEFORE)};
    const int picture = Board[cell.Column][cell.Row];
    // A second picture of a pair may be named by its own picture; a name card by its pair's.
    const int face = FaceImage(cell.Column, cell.Row);
    const std::string& title = CardTitles[face].empty() ? CardTitles[picture] : CardTitles[face];
    const std::string finder = NarrowText(FinderName(picture), CP_UTF8);
    const std::string name = CardName(cell, FaceOf(cell), title, words, finder, Glowing(cell));
    return SysAllocString(WideText(name, CP_UTF8).c_str());
}

// The card's rectangle on the screen, from its place on the board's part of the client.
RECT ScreenRect(HWND window, const Cell& cell) {
    const RECT client = BoardRect();
    const PixelRect place = CardRect({Columns, Rows, client.right, client.bottom}, cell.Column, cell.Row);
    POINT corners[2] = {{place.Left, place.Top}, {place.Right, place.Bottom}};
    MapWindowPoints(window, nullptr, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

// A reader may keep the object after the window and the engine are gone: every call checks that
// they still stand, and all calls arrive on the window's thread (a single-threaded apartment), so
// they cannot go between the check and the use.
class BoardAccessible : public IAccessible {
public:
    BoardAccessible(HWND window, IAccessible* standard, const BoardCalls& calls)
        : Window(window), Standard(standard), Calls(calls) {}
    virtual ~BoardAccessible() { Standard->Release(); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, AccessibleIid))
            return E_NOINTERFACE;
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++References; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --References;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: readers call IAccessible directly.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: the board itself is the standard client object; the cards are simple children.
    STDMETHODIMP get_accParent(IDispatch** parent) override {
        return Live() ? Standard->get_accParent(parent) : Gone();
    }
    STDMETHODIMP get_accChildCount(long* count) override {
        if (!Live())
            return Gone();
        *count = Rows * Columns;
        return S_OK;
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
        *object = nullptr;
        Cell cell;
        if (!Live())
            return Gone();
        return CardOf(child, &cell) ? S_FALSE : E_INVALIDARG;
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
        Cell cell;
        if (!Live())
            return Gone();
        if (IsSelf(child) && Calls.ViewOpen()) {
            *name = SysAllocString(Calls.ViewName().c_str());
            return S_OK;
        }
        if (IsSelf(child))
            return Standard->get_accName(child, name);
        if (!CardOf(child, &cell))
            return E_INVALIDARG;
        *name = NameOf(cell);
        return S_OK;
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override { return Ask(child, value); }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override { return Ask(child, text); }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
        Cell cell;
        if (!Live())
            return Gone();
        if (IsSelf(child))
            return Standard->get_accRole(child, role);
        if (!CardOf(child, &cell))
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
        Cell cell;
        if (!Live())
            return Gone();
        if (IsSelf(child))
            return Standard->get_accState(child, state);
        if (!CardOf(child, &cell))
            return E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_FOCUSABLE;
        if (SameCell(cell, Focus) && GetFocus() == Window)
            state->lVal |= STATE_SYSTEM_FOCUSED;
        if (FaceOf(cell) == CardFace::Found)
            state->lVal |= STATE_SYSTEM_CHECKED;
        return S_OK;
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override { return Ask(child, text); }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *file = nullptr;
        *topic = 0;
        return Live() ? S_FALSE : Gone();
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override { return Ask(child, text); }
    STDMETHODIMP get_accFocus(VARIANT* focus) override {
        if (!Live())
            return Gone();
        focus->vt = VT_EMPTY;
        if (GetFocus() != Window)
            return S_FALSE;
        focus->vt = VT_I4;
        focus->lVal = Calls.ViewOpen() ? CHILDID_SELF : ChildOfCell(Focus, Columns);
        return S_OK;
    }
    STDMETHODIMP get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY;
        return Live() ? S_FALSE : Gone();
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
        Cell cell;
        *action = nullptr;
        if (!Live())
            return Gone();
        if (IsSelf(child))
            return S_FALSE;
        if (!CardOf(child, &cell))
            return E_INVALIDARG;
        *action = SysAllocString(LoadText(FaceOf(cell) == CardFace::Found ? IDS_CARD_SHOW : IDS_CARD_ACTION).c_str());
        return S_OK;
    }
    STDMETHODIMP accSelect(long flags, VARIANT child) override {
        Cell cell;
        if (!Live())
            return Gone();
        if (!CardOf(child, &cell) || flags != SELFLAG_TAKEFOCUS)
            return IsSelf(child) ? Standard->accSelect(flags, child) : E_INVALIDARG;
        SetFocus(Window);
        Calls.SelectCard(cell);
        return S_OK;
    }
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        Cell cell;
        if (!Live())
            return Gone();
        if (IsSelf(child))
            return Standard->accLocation(left, top, width, height, child);
        if (!CardOf(child, &cell))
            return E_INVALIDARG;
        const RECT place = ScreenRect(Window, cell);
        *left = place.left;
        *top = place.top;
        *width = place.right - place.left;
        *height = place.bottom - place.top;
        return S_OK;
    }
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!Live())
            return Gone();
        end->vt = VT_EMPTY;
        const long cards = Rows * Columns;
        long to = 0;
        if (IsSelf(start) && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD))
            to = direction == NAVDIR_FIRSTCHILD ? 1 : cards;
        else if (IsSelf(start))
            return Standard->accNavigate(direction, start, end);
        else if (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS)
            to = start.vt == VT_I4 ? start.lVal + (direction == NAVDIR_NEXT ? 1 : -1) : 0;
        if (to < 1 || to > cards)
            return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT* hit) override {
        if (!Live())
            return Gone();
        hit->vt = VT_EMPTY;
        const POINT point = {x, y};
        for (int row = 0; row < Rows; ++row) {
            for (int column = 0; column < Columns; ++column) {
                const RECT place = ScreenRect(Window, {column, row});
                if (PtInRect(&place, point)) {
                    hit->vt = VT_I4;
                    hit->lVal = ChildOfCell({column, row}, Columns);
                    return S_OK;
                }
            }
        }
        return Standard->accHitTest(x, y, hit);
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override {
        Cell cell;
        if (!Live())
            return Gone();
        if (!CardOf(child, &cell))
            return IsSelf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
        PostMessageA(Window, TurnCardMessage, static_cast<WPARAM>(child.lVal), 0);
        return S_OK;
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    bool Live() const { return GameEngine::Instance != nullptr && IsWindow(Window); }
    static HRESULT Gone() { return RPC_E_DISCONNECTED; }
    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    static bool CardOf(const VARIANT& child, Cell* cell) {
        return child.vt == VT_I4 && CellOfChild(child.lVal, Columns, Rows, cell);
    }
    // The texts neither the board nor a card has.
    HRESULT Ask(const VARIANT& child, BSTR* text) {
        Cell cell;
        *text = nullptr;
        if (!Live())
            return Gone();
        return IsSelf(child) || CardOf(child, &cell) ? S_FALSE : E_INVALIDARG;
    }

    ULONG References = 1;
    HWND Window;
    IAccessible* Standard;
    BoardCalls Calls;
};

void Notify(DWORD event, const Cell& cell) {
    NotifyWinEvent(event, Engine->Window, OBJID_CLIENT, ChildOfCell(cell, Columns));
}

} // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const BoardCalls& calls) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, AccessibleIid, reinterpret_cast<void**>(&standard))))
        return 0;
    BoardAccessible* board = new BoardAccessible(window, standard, calls);
    const LRESULT result = LresultFromObject(AccessibleIid, wParam, board);
    board->Release();
    return result;
}

void AnnounceFocus() {
    if (GetFocus() == Engine->Window)
        Notify(EVENT_OBJECT_FOCUS, Focus);
}

void AnnounceLargeView() {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Engine->Window, OBJID_CLIENT, CHILDID_SELF);
    if (GetFocus() == Engine->Window)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, Engine->Window, OBJID_CLIENT, CHILDID_SELF);
}

void AnnounceTurns(const BoardFaces& before) {
    const BoardFaces after = ShownFaces();
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            if (before.Faces[column][row] == after.Faces[column][row])
                continue;
            Notify(EVENT_OBJECT_NAMECHANGE, {column, row});
            Notify(EVENT_OBJECT_STATECHANGE, {column, row});
        }
    }
}

void AnnounceDeal() {
    NotifyWinEvent(EVENT_OBJECT_REORDER, Engine->Window, OBJID_CLIENT, CHILDID_SELF);
    AnnounceFocus();
}

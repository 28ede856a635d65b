// Every language of the program's resources: each English string there too, each pattern taking
// the English one's inserts, each menu's mnemonics unique, and each dialog's texts whole at 96 and
// 144 DPI, measured with the dialog's own font.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <vector>

#include "app/Texts.h"
#include "res/resource.h"
#include "tests/driver/Driver.h"

namespace {

const struct Language {
    const char* Name;
    LANGID Id;
} Languages[] = {{"en", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)},
                 {"de", MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL)},
                 {"fr", MAKELANGID(LANG_FRENCH, SUBLANG_NEUTRAL)},
                 {"es", MAKELANGID(LANG_SPANISH, SUBLANG_NEUTRAL)},
                 {"it", MAKELANGID(LANG_ITALIAN, SUBLANG_NEUTRAL)},
                 {"pt-BR", MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN)},
                 {"nl", MAKELANGID(LANG_DUTCH, SUBLANG_NEUTRAL)},
                 {"pl", MAKELANGID(LANG_POLISH, SUBLANG_NEUTRAL)}};
const LANGID English = Languages[0].Id;

// The ids of the English string table, each with its text.
std::map<UINT, std::wstring> EnglishStrings() {
    std::map<UINT, std::wstring> strings;
    EnumResourceNamesW(
        nullptr, MAKEINTRESOURCEW(6) /* RT_STRING */,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            for (UINT id = (UINT(ULONG_PTR(name)) - 1) * 16, last = id + 16; id < last; ++id)
                if (!TextIn(English, id).empty())
                    (*reinterpret_cast<std::map<UINT, std::wstring>*>(found))[id] = TextIn(English, id);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&strings));
    return strings;
}

// The inserts of a pattern, each with its format spec ("%2!d!"), and its other escapes ("%%").
std::multiset<std::wstring> InsertsOf(const std::wstring& pattern) {
    static const std::wregex insert(L"%([1-9](![^!]*!)?|.)");
    std::multiset<std::wstring> inserts;
    for (auto i = std::wsregex_iterator(pattern.begin(), pattern.end(), insert); i != std::wsregex_iterator();
         ++i)
        inserts.insert(i->str());
    return inserts;
}

} // namespace

// Each English string in every language, its inserts the same.
TEST(Languages, EveryStringAndPattern) {
    const std::map<UINT, std::wstring> english = EnglishStrings();
    ASSERT_GT(english.size(), 40u);
    for (const Language& language : Languages) {
        for (const auto& [id, englishText] : english) {
            const std::wstring text = TextIn(language.Id, id);
            EXPECT_FALSE(text.empty()) << language.Name << " lacks string " << id;
            EXPECT_TRUE(InsertsOf(text) == InsertsOf(englishText))
                << language.Name << " string " << id << ": " << yw::Utf8(text);
        }
    }
}

namespace {

// What of a control's rectangle its text may take, in pixels of the dialog's own units: a push
// button's edges, a check box's or radio's box, a group box's line either side of its title.
int Allowance(HWND dialog, DWORD style) {
    const DWORD type = style & BS_TYPEMASK;
    RECT units = {0, 0,
                  type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ? 4
                  : type == BS_GROUPBOX                             ? 10
                                                                    : 12,
                  0};
    MapDialogRect(dialog, &units);
    return units.right;
}

// Each control's text where the control shows it, described when it does not fit.
std::vector<std::string> TextsCut(HWND dialog) {
    std::vector<std::string> cut;
    RECT client;
    GetClientRect(dialog, &client);
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        wchar_t className[32] = L"", text[512] = L"";
        GetClassNameW(control, className, 32);
        GetWindowTextW(control, text, 512);
        const DWORD style = DWORD(GetWindowLongW(control, GWL_STYLE));
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        const bool isStatic = lstrcmpiW(className, L"Static") == 0,
                   isButton = lstrcmpiW(className, L"Button") == 0;
        if (place.right > client.right || place.bottom > client.bottom)
            cut.push_back("outside the dialog: " + yw::Utf8(text));
        if ((!isStatic && !isButton) || (isStatic && (style & SS_TYPEMASK) == SS_ICON) || text[0] == L'\0')
            continue;
        const int width = place.right - place.left - (isButton ? Allowance(dialog, style) : 0);
        // Statics wrap at word breaks; buttons show one line.
        UINT format = DT_CALCRECT | (isStatic ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE);
        if (isStatic && (style & SS_NOPREFIX))
            format |= DT_NOPREFIX;
        RECT needed = {0, 0, width, 0};
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, HGDIOBJ(SendMessageW(control, WM_GETFONT, 0, 0)));
        DrawTextW(dc, text, -1, &needed, format);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        if (needed.right > width || needed.bottom > place.bottom - place.top)
            cut.push_back(yw::Utf8(text) + ": needs " + std::to_string(needed.right) + "x" +
                          std::to_string(needed.bottom) + " px, has " + std::to_string(width) + "x" +
                          std::to_string(place.bottom - place.top));
    }
    return cut;
}

} // namespace

// Each language's About, Statistics and People dialogs and every page of Options show every text whole at
// 96 and 144 DPI.
TEST(Languages, EveryDialogTextFits) {
    const INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    for (const Language& language : Languages) {
        for (int id : {IDD_ABOUTBOX, IDD_OPTIONS_PICTURES, IDD_OPTIONS_BOARD, IDD_OPTIONS_PLAYERS,
                       IDD_OPTIONS_CALM, IDD_STATISTICS, IDD_PEOPLE}) {
            for (int scale : {100, 150}) {
                HWND dialog = yw::CreateDialogIn(language.Id, id, scale);
                ASSERT_NE(dialog, nullptr) << language.Name << " lacks dialog " << id;
                // Statistics' line of the pictures left out after crashes, as it reads with one and many.
                const std::wstring lines[] = {L"", TextIn(language.Id, IDS_LEFT_OUT_ONE),
                                              FormatPattern(TextIn(language.Id, IDS_LEFT_OUT_MANY), {9999u})};
                for (const std::wstring& line : lines) {
                    if (!line.empty() && id != IDD_STATISTICS)
                        break;
                    if (!line.empty())
                        SetDlgItemTextW(dialog, IDC_LEFT_OUT, line.c_str());
                    for (const std::string& text : TextsCut(dialog))
                        ADD_FAILURE() << language.Name << " dialog " << id << " at " << 96 * scale / 100
                                      << " DPI: " << text;
                }
                DestroyWindow(dialog);
            }
        }
    }
    // What the dialogs left in the queue must not reach the next test's window.
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&message);
}

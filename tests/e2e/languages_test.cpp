// The real Yorewind.exe in German or Polish: the menu bar, Options, a screen reader's card and the
// end of a round, each text the one of the program's resources in that language. Wine gives the
// game the test's own language, taken from LC_ALL: ctest runs this test once per language (the
// English journeys check the English texts as written).
#include <cstdlib>

#include "app/Texts.h"
#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

const struct Language {
    const char* Locale;
    LANGID Id;
    char Settings; // the mnemonics of Settings on the menu bar and of Options in it
    char Options;
} Spoken[] = {{"de_DE.UTF-8", MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL), 'E', 'O'},
              {"pl_PL.UTF-8", MAKELANGID(LANG_POLISH, SUBLANG_NEUTRAL), 'U', 'O'}};

// The menu bar answers its language's mnemonics (Wine cannot read another process's menus, so the
// keys that only that language's menu has must open Options), Options shows that language's texts
// (Polish letters included), a screen reader hears the card's name and action in it, and the round
// ends with its question.
TEST_F(Journey, SpeaksTheUsersLanguage) {
    const char* locale = std::getenv("LC_ALL");
    const Language* language = nullptr;
    for (const Language& spoken : Spoken)
        language = locale != nullptr && std::string(locale) == spoken.Locale ? &spoken : language;
    if (language == nullptr)
        GTEST_SKIP() << "English: the other journeys";
    const auto text = [&](UINT id) { return TextIn(language->Id, id); };
    ASSERT_TRUE(StartDealt(1));
    CoInitialize(nullptr);
    IAccessible* board = BoardObject(window);
    EXPECT_EQ(CardHeard(board, 0),
              yw::Utf8(FormatPattern(text(IDS_CARD_PLACE), {1, 1, text(IDS_CARD_FACE_DOWN)})));
    EXPECT_EQ(CardHeard(board, 0, true), yw::Utf8(text(IDS_CARD_ACTION)));
    if (board != nullptr)
        board->Release();
    CoUninitialize();

    PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, language->Settings);
    EXPECT_NE(yw::WaitForWindow(game->Id(), "#32768", nullptr), nullptr)
        << "no menu under " << language->Settings;
    yw::PressKey(language->Options);
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no Options after " << language->Settings << language->Options;
    // The sheet's pages as the resources make them in this language, filled as the game fills them.
    std::vector<std::string> expected;
    for (int page : {IDD_OPTIONS_PICTURES, IDD_OPTIONS_BOARD, IDD_OPTIONS_PLAYERS, IDD_OPTIONS_CALM}) {
        HWND made = yw::CreateDialogIn(language->Id, page);
        SetDlgItemTextA(made, IDC_PICTUREPATH, folder.Path().c_str());
        // One player, and every name box holding its player's default name in this language.
        SendDlgItemMessageW(made, IDC_PLAYER_COUNT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"1"));
        SendDlgItemMessageW(made, IDC_PLAYER_COUNT, CB_SETCURSEL, 0, 0);
        SendDlgItemMessageW(made, IDC_STRENGTH, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text(IDS_STRENGTH2).c_str()));
        SendDlgItemMessageW(made, IDC_STRENGTH, CB_SETCURSEL, 0, 0);
        SendDlgItemMessageW(made, IDC_PAIRS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text(IDS_PAIRS_TWINS).c_str()));
        SendDlgItemMessageW(made, IDC_PAIRS, CB_SETCURSEL, 0, 0);
        for (int player = 1; player <= 4; ++player)
            SetDlgItemTextW(made, IDC_PLAYER_NAME_BASE + player,
                            FormatPattern(text(IDS_DEFAULT_PLAYER), {player}).c_str());
        for (const std::string& shown : yw::ControlTexts(made))
            expected.push_back(shown);
        DestroyWindow(made);
    }
    EXPECT_EQ(yw::ControlTexts(dialog), expected);
    ASSERT_TRUE(Close(IDCANCEL));
    ASSERT_TRUE(WaitBoard({})) << "a card turned by the menu's keys";

    const int tries = PlayRound();
    ASSERT_GE(tries, 0) << "the board did not show what the clicks did";
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no question at the end of the round";
    EXPECT_EQ(yw::MessageText(dialog), yw::Utf8(FormatPattern(text(IDS_END_SOLO), {tries})));
    ASSERT_TRUE(Close(IDNO));
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(StoredLevel(1));
}

} // namespace

// Two to four players from outside: the status bar read after every click, the winner's question,
// the players in Options and the registry; the computer's turns watched from outside, its seats and
// strength in Options.
#include "tests/e2e/Journey.h"

#include <commctrl.h>

#include <cstdlib>

#include "app/Texts.h"
#include "res/resource.h"

namespace {

// "Ζωή" and "Łucja": names outside any ANSI code page but UTF-8.
const char Greek[] = "\xCE\x96\xCF\x89\xCE\xAE";
const char Polish[] = "\xC5\x81ucja";

// A name's bytes as stored, UTF-16 (the ANSI call would convert them).
void WriteName(const wchar_t* name, const std::wstring& text, DWORD bytes) {
    RegSetKeyValueW(HKEY_CURRENT_USER, yw::Wide(yw::SettingsKey).c_str(), name, REG_SZ, text.c_str(), bytes);
}

std::vector<HWINEVENTHOOK> Hooks;
std::vector<HWND> Renamed;     // windows whose name changed, as a screen reader hears it
std::vector<HWND> LiveChanged; // live regions that changed
void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG child, DWORD, DWORD) {
    if (child == CHILDID_SELF)
        (event == EVENT_OBJECT_LIVEREGIONCHANGED ? LiveChanged : Renamed).push_back(window);
}

// Out-of-context events come to this thread's queue.
void Pump() {
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageA(&message);
}

class Players : public Journey {
protected:
    void TearDown() override {
        for (HWINEVENTHOOK hook : Hooks)
            UnhookWinEvent(hook);
        Hooks.clear();
        Renamed.clear();
        LiveChanged.clear();
    }

    // The bar's parts but the time, which is last.
    std::vector<std::string> Bar() {
        std::vector<std::string> parts = BarParts(bar);
        EXPECT_TRUE(!parts.empty() && parts.back().rfind("Time: ", 0) == 0) << "no time last";
        if (!parts.empty())
            parts.pop_back();
        return parts;
    }

    // Between two looks, made before each click (the try before it has shown on the board), the bar
    // tells the same or one step on: the player whose turn it was scored and plays on, or missed
    // and the next one plays; nothing else.
    void TurnCell(int i) override {
        if (bar != nullptr)
            CheckBar();
        ClickCell(i);
    }
    void CheckBar() {
        const std::vector<std::string> now = Bar();
        ASSERT_EQ(now.size(), 3u) << "parts of the bar";
        const int turn = now[0] == shown[0] ? turnOf : (turnOf + 1) % 2;
        EXPECT_EQ(now[0], names[turn] + "'s turn");
        for (int p = 0; p < 2; ++p) {
            const int score = std::stoi(now[p + 1].substr(names[p].size() + 2));
            EXPECT_EQ(now[p + 1], names[p] + ": " + std::to_string(score));
            EXPECT_EQ(score, scores[p] + (now[0] == shown[0] && p == turn && now != shown ? 1 : 0))
                << now[0] << " " << now[1] << " " << now[2] << " after " << shown[0] << " " << shown[1] << " "
                << shown[2];
            scores[p] = score;
        }
        misses += turn != turnOf;
        turnOf = turn;
        shown = now;
    }

    // The question at the end of a round of two, for the pairs each has found.
    std::string Verdict(int a, int b) const {
        const std::string pairs = std::to_string(std::max(a, b)) + " pairs";
        return (a == b ? names[0] + " and " + names[1] + " tie with " + pairs + " each."
                       : names[a < b] + " wins with " + pairs + " to " + std::to_string(std::min(a, b)) + ".") +
               "\nDo it Again?";
    }

    std::vector<std::string> names = {"Ann", Greek}, shown;
    int scores[2] = {}, turnOf = 0, misses = 0;
};

// Ann and Ζωή play a round through, on a deal that would let Ann find every pair, missing once on
// purpose: the board above the bar, the bar after every click, a turn change heard by a screen
// reader, a found card named with its finder and the last one located where it is drawn, the
// winner's question.
TEST_F(Players, TwoPlayerRound) {
    AddPictures(true);
    yw::WriteSettings(folder.Path(), 1);
    yw::WriteSettingNumber("Players", 2);
    WriteName(L"Player1", L"Ann", 8);
    WriteName(L"Player2", yw::Wide(Greek), 8);
    KeepRunThroughDeal({"Ann", Greek});
    ASSERT_TRUE(StartWithBar(1));
    shown = Bar();
    EXPECT_EQ(shown, (std::vector<std::string>{"Ann's turn", "Ann: 0", std::string(Greek) + ": 0"}));

    CoInitialize(nullptr);
    Hooks.push_back(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, Hear,
                                    game->Id(), 0, WINEVENT_OUTOFCONTEXT));
    const int tries = PlayRound();
    ASSERT_GE(tries, 0);
    EXPECT_GT(misses, 0) << "no turn passed in the whole round";
    Pump();
    EXPECT_NE(std::find(Renamed.begin(), Renamed.end(), bar), Renamed.end()) << "no turn change heard";

    IAccessible* board = BoardObject(window);
    ASSERT_NE(board, nullptr);
    const std::string said = CardHeard(board, 0);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(board->accLocation(&left, &top, &width, &height, CardChild(rows * columns - 1)), S_OK);
    board->Release();
    const PixelRect drawn = Card(rows * columns - 1); // on the board above the bar
    POINT corners[2] = {{drawn.Left, drawn.Top}, {drawn.Right, drawn.Bottom}};
    MapWindowPoints(window, nullptr, corners, 2);
    EXPECT_EQ(std::vector<long>({left, top, left + width, top + height}),
              std::vector<long>({corners[0].x, corners[0].y, corners[1].x, corners[1].y}))
        << "the last card located for a screen reader elsewhere than drawn";
    EXPECT_TRUE(said.find(", found by Ann") != std::string::npos ||
                said.find(", found by " + std::string(Greek)) != std::string::npos)
        << said;

    ASSERT_TRUE(Opened(0, "Yorewind"));
    CheckBar();
    EXPECT_EQ(yw::MessageText(dialog), Verdict(scores[0], scores[1]));
    ASSERT_TRUE(Close(IDNO));
    EXPECT_EQ(scores[0] + scores[1], 8);
}

// One person against the computer, watched from outside as the person sees the board.
class AgainstComputer : public Players {
protected:
    // Player 1 and the computer at Hard, level 1, on a deal the person knows, the computer's turns
    // heard by a screen reader.
    bool StartAgainstComputer() {
        AddPictures(true);
        yw::WriteSettings(folder.Path(), 1);
        yw::WriteSettingNumber("Players", 2);
        yw::WriteSettingNumber("Computers", 2);
        yw::WriteSettingNumber("Strength", 3);
        names = {"Player 1", "Computer"};
        KeepRunThroughDeal(names, 2, 3);
        if (!StartWithBar(1))
            return false;
        CoInitialize(nullptr);
        Hooks.push_back(SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED,
                                        nullptr, Hear, game->Id(), 0, WINEVENT_OUTOFCONTEXT));
        return true;
    }

    std::string Turn() {
        const std::vector<std::string> parts = Bar();
        return parts.empty() ? "" : parts[0];
    }
    bool WaitTurn(const std::string& turn, DWORD timeoutMs) {
        return yw::WaitUntil([&] { return Turn() == turn || Question(); }, timeoutMs) && Turn() == turn;
    }
    bool Question() { return yw::WaitForDialog(game->Id(), "Yorewind", 0) != nullptr; }

    // What each card shows: 0 its back, else its picture's colour; once two looks agree.
    std::vector<uint32_t> Faces() {
        std::vector<uint32_t> faces, last;
        yw::WaitUntil([&] {
            last = faces;
            faces.clear();
            for (int i = 0; i < rows * columns; ++i)
                faces.push_back(yw::Near(Pixel(i), CardBack) ? 0 : PictureOf(Pixel(i)));
            Sleep(50);
            return faces == last;
        });
        return faces;
    }
    bool Shows(int i, bool up) {
        return yw::WaitUntil([&] { return yw::Near(Pixel(i), CardBack) != up; }, 3000);
    }

    // The first card down; -1 when none is.
    int Down(const std::vector<uint32_t>& faces) const {
        const auto first = std::find(faces.begin(), faces.end(), 0u);
        return first == faces.end() ? -1 : int(first - faces.begin());
    }

    // The person's try, from the deal: the computer's missed pair turned back first, then a card and
    // one known to differ (a miss on purpose), or the last pair. True for a miss. When asked, the
    // computer is held from before the miss, as it is while the window is dragged.
    bool PersonsTry(bool hold = false) {
        std::vector<uint32_t> faces = Faces();
        for (int i = 0; i < rows * columns; ++i)
            if (faces[i] != 0 && std::count(faces.begin(), faces.end(), faces[i]) == 1) {
                ClickCell(Down(faces));
                EXPECT_TRUE(Shows(i, false)) << "the computer's miss not turned back";
                faces = Faces();
                break;
            }
        const int a = Down(faces);
        if (a < 0)
            return false;
        ClickCell(a);
        EXPECT_TRUE(Shows(a, true));
        int b = -1;
        for (int i = 0; i < rows * columns; ++i)
            if (faces[i] == 0 && i != a && (b < 0 || (deal[b] == deal[a] && deal[i] != deal[a])))
                b = i;
        if (hold && deal[a] != deal[b])
            SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
        ClickCell(b);
        EXPECT_TRUE(Shows(b, true));
        shown = Faces();
        return deal[a] != deal[b];
    }

    void CheckHeard(size_t* heard) {
        EXPECT_TRUE(yw::WaitUntil([&] { return Pump(), LiveChanged.size() > *heard; }, 2000))
            << "a turn change not heard as a live region's";
        EXPECT_TRUE(std::all_of(LiveChanged.begin(), LiveChanged.end(), [&](HWND w) { return w == bar; }));
        *heard = LiveChanged.size();
    }

    std::vector<uint32_t> shown; // the faces the person's last try left up
};

// The person misses on purpose, try after try: at once it is the computer's turn; a click then changes
// nothing, the missed pair stays up and the computer's cards turn by themselves, and the turn comes
// back. Each turn change is heard; the round is played to its question, whose winner the statistics
// count under the name the bar shows.
TEST_F(AgainstComputer, RoundAtHard) {
    ASSERT_TRUE(StartAgainstComputer());
    EXPECT_EQ(Bar(), (std::vector<std::string>{"Player 1's turn", "Player 1: 0", "Computer: 0"}));
    size_t heard = 0;
    bool clicked = false; // into the computer's turn
    for (int step = 0; step < 60 && !Question(); ++step) {
        if (Turn() == "Player 1's turn") {
            if (!PersonsTry(!clicked) || Question())
                continue;
            ASSERT_TRUE(WaitTurn("Computer's turn", 3000)) << "not the computer's turn after a miss";
            CheckHeard(&heard);
            if (clicked)
                continue;
            // The computer held (however slow this machine), a click would turn the missed pair
            // back and its own card up at once, as on a person's turn.
            ClickCell(Down(shown));
            yw::Settle(window, 4);
            EXPECT_EQ(Faces(), shown) << "a click during the computer's turn was taken";
            SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
            EXPECT_TRUE(yw::WaitUntil([&] { return Faces() != shown; }, 3000)) << "no card changed by itself";
            clicked = true;
        } else {
            ASSERT_EQ(Turn(), "Computer's turn");
            ASSERT_TRUE(WaitTurn("Player 1's turn", 60000) || Question()) << "the turn never came back";
            if (!Question())
                CheckHeard(&heard);
        }
    }
    EXPECT_TRUE(clicked) << "no miss on purpose";
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no question at the round's end";
    const std::vector<std::string> scores = Bar();
    ASSERT_EQ(scores.size(), 3u);
    const int person = std::stoi(scores[1].substr(10)), computer = std::stoi(scores[2].substr(10));
    EXPECT_EQ(person + computer, 8);
    EXPECT_EQ(yw::MessageText(dialog), Verdict(person, computer));
    const std::string wins = std::string(yw::SettingsKey) + "\\Statistics\\Wins";
    if (person != computer) {
        EXPECT_EQ(yw::RegistryNumber(wins.c_str(), names[person < computer].c_str()), 1u);
    }
    ASSERT_TRUE(Close(IDNO));
}

// About opens during the computer's turn, which waits while it is up. More deals with the turn
// ended; the next round it starts it plays, and after one more deal the person's board stays still.
// Exit during the turn of the round after ends the program within a second.
TEST_F(AgainstComputer, MenuCommandsEndItsTurn) {
    ASSERT_TRUE(StartAgainstComputer());
    ASSERT_TRUE(PersonsTry(true)) << "no miss on purpose";
    ASSERT_TRUE(WaitTurn("Computer's turn", 3000));
    // No frame is drawn behind a modal box: the cards are read as a screen reader hears them.
    IAccessible* board = BoardObject(window);
    const auto heard = [&] {
        std::vector<std::string> names;
        for (int i = 0; i < rows * columns; ++i)
            names.push_back(CardHeard(board, i));
        return names;
    };
    const std::vector<std::string> named = heard();
    ASSERT_TRUE(Opened(IDM_ABOUT, nullptr)) << "no About box at once";
    SendMessageA(window, WM_EXITSIZEMOVE, 0, 0); // held from before the miss until the box came
    Sleep(2000);
    EXPECT_EQ(heard(), named) << "the computer played behind a modal box";
    if (board != nullptr)
        board->Release();
    ASSERT_TRUE(Close(IDOK));
    EXPECT_TRUE(yw::WaitUntil([&] { return Faces() != shown; }, 2000)) << "the computer's turn did not go on";
    PostMessageA(window, WM_COMMAND, IDM_MORE, 0);
    const std::vector<uint32_t> down(rows * columns, 0);
    ASSERT_TRUE(yw::WaitUntil([&] { return Faces() == down; }, 3000)) << "no deal";
    EXPECT_EQ(Turn(), "Computer's turn") << "the next round is the computer's to start";
    EXPECT_TRUE(yw::WaitUntil([&] { return Faces() != down; }, 3000))
        << "the computer did not start its round";
    PostMessageA(window, WM_COMMAND, IDM_MORE, 0);
    ASSERT_TRUE(WaitTurn("Player 1's turn", 5000));
    found.assign(found.size(), false);
    seen.clear();
    deal.clear();
    ASSERT_TRUE(WaitBoard({}));
    Sleep(2500);
    EXPECT_EQ(Faces(), down) << "a card turned on the person's turn";
    EXPECT_EQ(Turn(), "Player 1's turn");

    PostMessageA(window, WM_COMMAND, IDM_MORE, 0);
    ASSERT_TRUE(WaitTurn("Computer's turn", 5000)) << "the starters do not take turns";
    const DWORD exit = GetTickCount();
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(WaitForSingleObject(game->Info.hProcess, 1000), WAIT_OBJECT_0) << "still running after 1 s";
    EXPECT_TRUE(game->EndedWell());
    EXPECT_LT(GetTickCount() - exit, 1000u);
}

// The players, the computer's seats and strength chosen in Options, a Polish name among them, and
// Include subfolders go to the registry at Exit and come back at the next start, in the test's
// language (English, and German in a run of its own): only as many name boxes and seats are enabled
// as play, and a default name follows the seat. At 144 DPI, where the bar is taller than at 96, the
// window grows by its height: the board keeps its size above it. The strength is enabled only while
// the computer plays a seat.
TEST_F(Players, ComputerSeatsInOptions) {
    const char* locale = std::getenv("LC_ALL");
    const LANGID language = locale != nullptr && std::string(locale) == "de_DE.UTF-8"
                                ? MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL)
                                : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const auto text = [&](UINT id) { return yw::Utf8(TextIn(language, id)); };
    const auto numbered = [&](UINT id, int n) { return yw::Utf8(FormatPattern(TextIn(language, id), {n})); };
    const auto combo = [&](int id, int item) { yw::Choose(dialog, id, item); };
    const auto enabled = [&](int id) { return IsWindowEnabled(yw::Item(dialog, id)) != 0; };
    ScopedLogPixels desktop;
    desktop.Set(144);
    ASSERT_TRUE(StartDealt(1));
    EXPECT_EQ(FindBar(0), nullptr) << "a bar for one player";
    RECT solo;
    GetClientRect(window, &solo);
    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    EXPECT_EQ(SendMessageW(yw::Item(dialog, IDC_PLAYER_COUNT), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(yw::ItemText(dialog, IDC_PLAYER_NAME3), numbered(IDS_DEFAULT_PLAYER, 3));
    EXPECT_EQ(yw::ItemText(dialog, IDC_STRENGTH), text(IDS_STRENGTH2));
    EXPECT_FALSE(enabled(IDC_PLAYER_NAME2) || enabled(IDC_COMPUTER2) || enabled(IDC_STRENGTH));
    combo(IDC_PLAYER_COUNT, 2);
    EXPECT_TRUE(enabled(IDC_PLAYER_NAME3) && enabled(IDC_COMPUTER3));
    EXPECT_FALSE(enabled(IDC_PLAYER_NAME4) || enabled(IDC_COMPUTER4) || enabled(IDC_STRENGTH));
    yw::Press(dialog, IDC_COMPUTER3);
    EXPECT_TRUE(yw::WaitUntil([&] { return yw::ItemText(dialog, IDC_PLAYER_NAME3) == text(IDS_COMPUTER); }));
    EXPECT_TRUE(enabled(IDC_STRENGTH)) << "no strength to choose for the computer's seat";
    yw::Press(dialog, IDC_COMPUTER2);
    EXPECT_TRUE(yw::WaitUntil([&] {
        return yw::ItemText(dialog, IDC_PLAYER_NAME2) + "/" + yw::ItemText(dialog, IDC_PLAYER_NAME3) ==
               numbered(IDS_COMPUTER_NUMBERED, 2) + "/" + numbered(IDS_COMPUTER_NUMBERED, 3);
    })) << "two computers not told apart";
    yw::Press(dialog, IDC_COMPUTER2);
    EXPECT_TRUE(yw::WaitUntil([&] { return yw::ItemText(dialog, IDC_PLAYER_NAME2) == numbered(IDS_DEFAULT_PLAYER, 2); }))
        << "a seat given back to a person keeps the computer's name";
    yw::SetItemText(dialog, IDC_PLAYER_NAME1, "Ann");
    yw::SetItemText(dialog, IDC_PLAYER_NAME2, Polish);
    EXPECT_FALSE(yw::IsChecked(dialog, IDC_SUBFOLDERS));
    yw::Press(dialog, IDC_SUBFOLDERS);
    combo(IDC_STRENGTH, 2);
    ASSERT_TRUE(Close(IDOK));
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(game->EndedWell());
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Players"), 3u);
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Subfolders"), 1u);
    EXPECT_EQ(yw::RegistryText(yw::SettingsKey, "Player2"), Polish);
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Computers"), 4u);
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Strength"), 3u);

    ASSERT_TRUE(StartWithBar(1)) << "no bar for three, or the board not above it";
    EXPECT_GT(below, 21) << "the bar's height as at 96 DPI";
    RECT board;
    GetClientRect(window, &board);
    EXPECT_EQ(board.bottom - below, solo.bottom) << "the window did not grow by the bar's height";
    const std::vector<std::string> scores = {"Ann: 0", std::string(Polish) + ": 0", text(IDS_COMPUTER) + ": 0"};
    EXPECT_TRUE(yw::WaitUntil([&] {
        const std::vector<std::string> parts = BarParts(bar); // the time last, in the test's language
        return parts.size() == 5 && std::vector<std::string>(parts.begin() + 1, parts.end() - 1) == scores;
    }));
    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    EXPECT_EQ(SendMessageW(yw::Item(dialog, IDC_PLAYER_COUNT), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(yw::ItemText(dialog, IDC_PLAYER_NAME2), Polish);
    EXPECT_TRUE(yw::IsChecked(dialog, IDC_SUBFOLDERS)) << "Include subfolders not read back";
    EXPECT_EQ(yw::ItemText(dialog, IDC_STRENGTH), text(IDS_STRENGTH3));
    EXPECT_FALSE(yw::IsChecked(dialog, IDC_COMPUTER2));
    EXPECT_TRUE(yw::IsChecked(dialog, IDC_COMPUTER3));
    ASSERT_TRUE(Close(IDCANCEL));

    // Windows moves the window to a monitor of 96 DPI (WM_DPICHANGED, which Wine never sends by
    // itself), suggesting the size it has: the bar takes that DPI's font and height, and the board
    // is laid out anew above it.
    RECT suggested;
    GetWindowRect(window, &suggested);
    void* remote = VirtualAllocEx(game->Info.hProcess, nullptr, sizeof(suggested), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    ASSERT_TRUE(WriteProcessMemory(game->Info.hProcess, remote, &suggested, sizeof(suggested), nullptr));
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(remote));
    const int at144 = below;
    EXPECT_LT(below = BarUnderClient(), at144 - 4) << "the bar's height as at 144 DPI";
    Layout(1);
    EXPECT_TRUE(WaitBoard({})) << "the board not whole above the bar";
}

} // namespace

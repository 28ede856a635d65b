// Times a start that takes up a kept level-4 round against a start that deals anew from the same
// folder, then deals 300 boards by More and plays 30 rounds to their end on a level-4 board, and
// prints what the game's process holds after deal 30 and after the last.
//   round_bench PHOTOS SMALL GAME   (PHOTOS 18 camera photos, SMALL a folder of small pictures,
//                                    GAME the path of Yorewind.exe)
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/GameWindow.h"
#include "bench/Measures.h"
#include "engine/ObjectCounts.h"
#include "res/resource.h"
#include "rules/CellGeometry.h"

namespace {

const int Cells = 36; // level 4: 6 by 6

struct Game {
    PROCESS_INFORMATION Info = {};
    HWND Window = nullptr;
    double Shown = -1; // ms from CreateProcess to the first board
};

bool Launch(const std::string& exe, Game* game) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    const double start = Now();
    if (!CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &game->Info))
        return false;
    ProcessWindow wanted = {game->Info.dwProcessId, nullptr};
    while (Now() - start < 120000 && WaitForSingleObject(game->Info.hProcess, 5) == WAIT_TIMEOUT) {
        if (wanted.Found == nullptr)
            EnumWindows(FindGameWindow, reinterpret_cast<LPARAM>(&wanted));
        if (wanted.Found != nullptr && ShowsBoard(wanted.Found)) {
            game->Shown = Now() - start;
            game->Window = wanted.Found;
            return true;
        }
    }
    return false;
}

void Close(Game* game) {
    if (game->Window != nullptr)
        PostMessageA(game->Window, WM_COMMAND, IDM_EXIT, 0);
    if (WaitForSingleObject(game->Info.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(game->Info.hProcess, 1);
    CloseHandle(game->Info.hThread);
    CloseHandle(game->Info.hProcess);
    *game = Game();
}

// A click on card i, as the level-4 deal lays the board out above the bar; false when the click
// did not come back: it found the last pair and the round's question is open.
bool ClickCard(HWND window, int i) {
    RECT client;
    GetClientRect(window, &client);
    RECT bar = {};
    GetWindowRect(GetDlgItem(window, IDC_STATUSBAR), &bar);
    const int width = client.right;
    const int height = client.bottom - (bar.bottom - bar.top);
    const PixelRect card = CardRect({6, 6, width, height}, i % 6, i / 6);
    const LPARAM at = MAKELPARAM((card.Left + card.Right) / 2, (card.Top + card.Bottom) / 2);
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, 1000, &result) != 0;
}

// The found pairs, from the bar's "Pairs: N of 18", read into memory of the game's process.
int PairsFound(const Game& game, wchar_t* remote) {
    wchar_t text[128] = L"";
    SendMessageW(GetDlgItem(game.Window, IDC_STATUSBAR), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(game.Info.hProcess, remote, text, sizeof(text) - sizeof(wchar_t), nullptr);
    const wchar_t* digit = text;
    while (*digit != L'\0' && (*digit < L'0' || *digit > L'9'))
        ++digit;
    return _wtoi(digit);
}

// The round's question, answered Yes: the next deal.
void AnswerYes(const Game& game) {
    for (int look = 0; look < 2000; ++look) {
        HWND box = nullptr;
        while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process == game.Info.dwProcessId && IsWindowVisible(box)) {
                PostMessageA(box, WM_COMMAND, IDYES, 0);
                Sleep(50);
                return;
            }
        }
        Sleep(10);
    }
}

// A round played to its end without looking: each card tried against the next ones until the bar
// counts one more pair; a miss is turned back by a click on its second card.
void PlayRound(const Game& game, wchar_t* remote) {
    bool found[Cells] = {};
    int pairs = PairsFound(game, remote);
    for (int a = 0; a < Cells; ++a) {
        for (int b = a + 1; b < Cells && !found[a]; ++b) {
            if (found[b])
                continue;
            if (!ClickCard(game.Window, a) || !ClickCard(game.Window, b)) {
                AnswerYes(game);
                return;
            }
            const int now = PairsFound(game, remote);
            if (now > pairs)
                found[a] = found[b] = true;
            else
                ClickCard(game.Window, b);
            pairs = now;
        }
    }
}

struct Held {
    double PrivateBytes;
    DWORD Gdi, User, Handles;
    LONG Own[int(Counted::Kinds)];
};

Held Measure(const Game& game) {
    Sleep(1000); // the next deal's preparation done
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(game.Info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    Held held = {};
    held.PrivateBytes = double(counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage);
    held.Gdi = GetGuiResources(game.Info.hProcess, GR_GDIOBJECTS);
    held.User = GetGuiResources(game.Info.hProcess, GR_USEROBJECTS);
    GetProcessHandleCount(game.Info.hProcess, &held.Handles);
    const UINT message = RegisterWindowMessageW(L"Yorewind.LiveCount");
    for (int kind = 0; kind < int(Counted::Kinds); ++kind)
        held.Own[kind] = LONG(SendMessageW(game.Window, message, WPARAM(kind), 0));
    return held;
}

void PrintHeld(const char* what, double at30, double last, double goal) {
    const double change = at30 == 0 ? (last == 0 ? 0 : 100) : (last - at30) * 100 / at30;
    std::printf("%-58s %12.0f %12.0f  (%+.1f %%; goal within %.0f %%)\n", what, at30, last, change, goal);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: round_bench PHOTOS SMALL GAME\n");
        return 2;
    }
    const std::string game = argv[3];

    // New and resumed starts in turn; each game makes a try and exits, which keeps its round.
    WriteGameSettings(argv[1], {{"Level", 4}, {"StatusBar", 1}});
    double dealt = 1e30;
    double resumed = 1e30;
    for (int start = 0; start < 6; ++start) {
        const bool resume = start % 2 == 1;
        if (!resume)
            RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(GameSettingsKey) + "\\Round").c_str());
        Game g;
        if (!Launch(game, &g)) {
            std::fprintf(stderr, "no board\n");
            return 1;
        }
        (resume ? resumed : dealt) = std::min(resume ? resumed : dealt, g.Shown);
        ClickCard(g.Window, 34);
        ClickCard(g.Window, 35);
        Close(&g);
    }
    std::printf("%-58s %12s %12s\n", "Kept rounds under Wine", "ms", "");
    std::printf("%-58s %12.0f\n", "Start to a new level-4 deal of 18 photos, best of 3", dealt);
    std::printf("%-58s %12.0f  (%.2fx the new deal; goal 1.1x)\n", "Start to the same folder's kept round, best of 3",
                resumed, resumed / dealt);

    WriteGameSettings(argv[2], {{"Level", 4}, {"StatusBar", 1}});
    Game g;
    if (!Launch(game, &g))
        return 1;
    wchar_t* remote = static_cast<wchar_t*>(
        VirtualAllocEx(g.Info.hProcess, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    for (int deal = 2; deal <= 30; ++deal)
        SendMessageA(g.Window, WM_COMMAND, IDM_MORE, 0);
    const Held at30 = Measure(g);
    // The private bytes on the way, to tell a climb from a level that settles.
    std::string way;
    for (int deal = 31; deal <= 300; ++deal) {
        SendMessageA(g.Window, WM_COMMAND, IDM_MORE, 0);
        if (deal % 90 == 0)
            way += " " + std::to_string(int(Measure(g).PrivateBytes / (1 << 20)));
    }
    for (int round = 1; round <= 30; ++round) {
        PlayRound(g, remote);
        if (round % 10 == 0)
            way += " " + std::to_string(int(Measure(g).PrivateBytes / (1 << 20)));
    }
    const Held last = Measure(g);
    VirtualFreeEx(g.Info.hProcess, remote, 0, MEM_RELEASE);
    Close(&g);

    std::printf("%-58s %12s %12s\n", "300 deals and 30 rounds, level 4", "deal 30", "last");
    PrintHeld("Private bytes", at30.PrivateBytes, last.PrivateBytes, 2);
    std::printf("%-58s %s\n", "  MB after deals 120, 210, 300 and rounds 10, 20, 30:", way.c_str());
    PrintHeld("GDI objects (GetGuiResources)", at30.Gdi, last.Gdi, 0);
    PrintHeld("USER objects (GetGuiResources)", at30.User, last.User, 2);
    PrintHeld("Handles", at30.Handles, last.Handles, 0);
    const char* own[] = {"The game's windows", "The game's timers", "The game's surfaces", "The game's GDI objects"};
    for (int kind = 0; kind < int(Counted::Kinds); ++kind)
        PrintHeld(own[kind], at30.Own[kind], last.Own[kind], 0);
    return 0;
}

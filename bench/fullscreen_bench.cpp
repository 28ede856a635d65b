// Times the switch to the full screen and back on the real game, each from the command to the
// first frame on the screen that shows the board laid out anew, sharp: every corner card's edges on
// the pixels the new layout gives them, the gaps beside them black. The screen is polled, nothing
// waited for by the clock. A look waits behind the game's own traffic with the X server, so the
// board came between the start of the last look that missed it and the end of the one that saw it:
// both are printed.
//   fullscreen_bench PICTURES GAME   (PICTURES a folder of pictures, GAME the path of Yorewind.exe)
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/GameWindow.h"
#include "bench/Measures.h"
#include "res/resource.h"
#include "rules/CellGeometry.h"

namespace {

const int Side = 6; // level 4: 6 by 6

// The screen's pixels where a look copied them: a copy of the screen's size, of which each look
// fetches only the rows and columns it reads (each pixel fetched alone costs a round trip to X).
struct ScreenCopy {
    ScreenCopy() {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        memory = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        SelectObject(memory, bitmap);
    }
    ~ScreenCopy() {
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
    void Fetch(HDC screen, int x, int y, int width, int height) {
        BitBlt(memory, x, y, width, height, screen, x, y, SRCCOPY);
    }
    bool Near(int x, int y, uint32_t rgb) const {
        if (x < 0 || y < 0 || x >= Width || y >= Height)
            return false;
        const uint32_t pixel = bits[size_t(y) * Width + size_t(x)];
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = int((pixel >> shift) & 0xFF), b = int((rgb >> shift) & 0xFF);
            if (a - b >= 24 || b - a >= 24)
                return false;
        }
        return true;
    }
    static const int Width = 1920 * 2, Height = 1440;
    HDC memory;
    HBITMAP bitmap;
    uint32_t* bits = nullptr;
};

// The board of a client of that size on the screen: each corner card's left and top edge (and
// the last column's right edge) exactly where the layout puts them, a card back inside, the gap
// black outside. Fetches the rows through the corner cards' middles and the columns through them.
bool ShowsLayout(HWND window, const RECT& client, ScreenCopy* copy) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const BoardGrid grid = {Side, Side, client.right, client.bottom};
    const HDC screen = GetDC(nullptr);
    for (int end = 0; end < 2; ++end) {
        const PixelRect card = CardRect(grid, end * (Side - 1), end * (Side - 1));
        copy->Fetch(screen, origin.x, origin.y + (card.Top + card.Bottom) / 2, client.right, 1);
        copy->Fetch(screen, origin.x + (card.Left + card.Right) / 2, origin.y, 1, client.bottom);
    }
    ReleaseDC(nullptr, screen);
    const uint32_t back = 0xC483FF, gap = 0;
    bool sharp = true;
    for (int corner = 0; corner < 4 && sharp; ++corner) {
        const int column = corner % 2 == 0 ? 0 : Side - 1, row = corner < 2 ? 0 : Side - 1;
        const PixelRect card = CardRect(grid, column, row);
        const int x = origin.x + (card.Left + card.Right) / 2, y = origin.y + (card.Top + card.Bottom) / 2;
        const int left = origin.x + card.Left, top = origin.y + card.Top;
        sharp = copy->Near(left, y, back) && copy->Near(left - 1, y, gap) && copy->Near(x, top, back) &&
                copy->Near(x, top - 1, gap) && (column == 0 || copy->Near(origin.x + card.Right - 1, y, back));
    }
    return sharp;
}

struct Switched {
    double Sized = -1; // ms from the command to the client at its new size
    double Sharp = -1; // to the end of the look that saw the sharp board; -1 when none did within 10 s
    double Before = 0; // to the start of the last look that did not: the board came between the two
    double Poll = 0;   // the longest look at the screen
};

// The command sent, then the screen polled until the client has the size wanted and shows its board
// sharp.
// Another process's CPU time is not read here: Wine 8 answers GetProcessTimes for it with a fraction
// of what the game's process counts itself (picture_bench fullscreen has that).
Switched Switch(HWND window, const RECT& wanted) {
    static ScreenCopy copy;
    Switched times;
    const double start = Now();
    PostMessageA(window, WM_COMMAND, IDM_FULLSCREEN, 0);
    while (Now() - start < 10000) {
        RECT client;
        GetClientRect(window, &client);
        if (!EqualRect(&client, &wanted)) {
            Sleep(1);
            continue;
        }
        if (times.Sized < 0)
            times.Sized = times.Before = Now() - start;
        const double look = Now();
        const bool sharp = ShowsLayout(window, client, &copy);
        times.Poll = std::max(times.Poll, Now() - look);
        if (sharp) {
            times.Sharp = Now() - start;
            break;
        }
        times.Before = look - start;
        // A breath for the X server, which the look and the game's frames share.
        Sleep(1);
    }
    return times;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fullscreen_bench PICTURES GAME\n");
        return 2;
    }
    WriteGameSettings(argv[1], {{"Level", 4}});
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION game = {};
    if (!CreateProcessA(argv[2], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &game))
        return 1;
    ProcessWindow wanted = {game.dwProcessId, nullptr};
    const double launched = Now();
    while (Now() - launched < 60000 && (wanted.Found == nullptr || !ShowsBoard(wanted.Found))) {
        if (wanted.Found == nullptr)
            EnumWindows(FindGameWindow, reinterpret_cast<LPARAM>(&wanted));
        Sleep(5);
    }
    const HWND window = wanted.Found;
    int status = 1;
    if (window != nullptr) {
        RECT windowed;
        GetClientRect(window, &windowed);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT full = {0, 0, monitor.rcMonitor.right - monitor.rcMonitor.left,
                           monitor.rcMonitor.bottom - monitor.rcMonitor.top};
        // The cards are made once for the monitor's size at the deal; the first switch shows what a
        // player's first F11 costs, the others are the same way again.
        std::vector<Switched> in, out;
        for (int run = 0; run < 5; ++run) {
            in.push_back(Switch(window, full));
            out.push_back(Switch(window, windowed));
        }
        status = 0;
        const auto line = [&status](const char* what, const std::vector<Switched>& times) {
            std::vector<double> sharp, before, sized;
            double poll = 0;
            for (const Switched& each : times) {
                sharp.push_back(each.Sharp);
                before.push_back(each.Before);
                sized.push_back(each.Sized);
                poll = std::max(poll, each.Poll);
                status = each.Sharp < 0 ? 1 : status;
            }
            std::sort(sharp.begin(), sharp.end());
            std::sort(before.begin(), before.end());
            std::sort(sized.begin(), sized.end());
            std::printf("%-58s %10.0f  (not before %.0f; best %.0f; the first %.0f, not before %.0f; longest %.0f; "
                        "sized by %.0f; a look %.0f)\n",
                        what, sharp[2], before[2], sharp[0], times[0].Sharp, times[0].Before, sharp[4], sized[2],
                        poll);
        };
        std::printf("%-58s %10s  (windowed client %ldx%ld, monitor %ldx%ld)\n", "Full screen, command to sharp board",
                    "ms", windowed.right, windowed.bottom, full.right, full.bottom);
        line("To the full screen, median of 5", in);
        line("Back to the window, median of 5", out);
        PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    }
    if (WaitForSingleObject(game.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(game.hProcess, 1);
    CloseHandle(game.hThread);
    CloseHandle(game.hProcess);
    RegDeleteTreeA(HKEY_CURRENT_USER, GameSettingsKey);
    return status;
}

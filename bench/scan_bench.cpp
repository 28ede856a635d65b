// Times the picture scan of a large tree under Wine against a bare walk of the same tree, measures
// the list's memory, and times a real start of the game on that tree to its first board.
//   scan_bench TREE GAME   (TREE a folder tree of pictures, GAME the path of Yorewind.exe)
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "app/PictureExtensions.h"
#include "app/ScanPictures.h"
#include "bench/GameWindow.h"
#include "bench/Measures.h"

namespace {

// The floor: every folder read once with the same search, names counted, nothing kept.
size_t BareWalk(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    size_t files = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ++files;
        else if (lstrcmpW(found.cFileName, L".") != 0 && lstrcmpW(found.cFileName, L"..") != 0)
            files += BareWalk(folder + L"\\" + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

// The first run (a cold process, the file system's caches as the last run left them) and the best
// of three more.
struct Runs {
    double First;
    double Best;
};
template <typename Run> Runs Time(Run run) {
    double start = Now();
    run();
    Runs runs = {Now() - start, 1e30};
    for (int i = 0; i < 3; ++i) {
        start = Now();
        run();
        runs.Best = std::min(runs.Best, Now() - start);
    }
    return runs;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                        &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

// From CreateProcess to the first board on the screen; the game is closed afterwards.
double StartToFirstBoard(const std::string& game) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessA(game.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    ProcessWindow wanted = {process.dwProcessId, nullptr};
    double shown = -1;
    while (Now() - start < 120000 && WaitForSingleObject(process.hProcess, 5) == WAIT_TIMEOUT) {
        if (wanted.Found == nullptr)
            EnumWindows(FindGameWindow, reinterpret_cast<LPARAM>(&wanted));
        if (wanted.Found != nullptr && ShowsBoard(wanted.Found)) {
            shown = Now() - start;
            break;
        }
    }
    if (wanted.Found != nullptr)
        PostMessageA(wanted.Found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: scan_bench TREE GAME\n");
        return 2;
    }
    const std::string tree = argv[1];
    size_t files = 0;
    const Runs bare = Time([&] { files = BareWalk(Wide(tree)); });
    const std::atomic<bool> stop(false);
    std::atomic<size_t> found(0);
    const WalkRequest request = {tree, true, PictureExtensions, 259};
    size_t pictures = 0;
    const Runs scan = Time([&] { pictures = FindPictures(request, stop, found).size(); });

    const double before = PrivateMegabytes();
    std::vector<std::string> list = FindPictures(request, stop, found);
    const double held = PrivateMegabytes() - before;
    double strings = 0;
    for (const std::string& path : list)
        strings += double(sizeof(path) + (path.capacity() > 15 ? path.capacity() + 1 : 0));
    list.clear();
    list.shrink_to_fit();

    WriteGameSettings(tree, {{"Level", 1}, {"Subfolders", 1}});
    // -1 when no start showed a board.
    double board = -1;
    for (int start = 0; start < 3; ++start) {
        const double shown = StartToFirstBoard(argv[2]);
        board = shown >= 0 && (board < 0 || shown < board) ? shown : board;
    }

    std::printf("%-58s %10s\n", "A tree of pictures under Wine", "ms");
    std::printf("%-58s %10s\n", "Files the bare walk counts / pictures the scan lists",
                (std::to_string(files) + " / " + std::to_string(pictures)).c_str());
    std::printf("%-58s %10.0f  (first %.0f)\n", "Bare recursive FindFirstFileExW walk, best of 3", bare.Best,
                bare.First);
    std::printf("%-58s %10.0f  (first %.0f; %.2fx the walk)\n", "Picture scan, subfolders on, best of 3",
                scan.Best, scan.First, scan.Best / bare.Best);
    std::printf("%-58s %10.1f  (MB; the strings alone %.1f)\n", "The list held: committed memory", held,
                strings / (1 << 20));
    std::printf("%-58s %10.0f  (goal 1.5x the walk + 1 s: %.0f)\n",
                "Start to first board, level 1, best of 3", board, 1.5 * bare.Best + 1000);
    return 0;
}

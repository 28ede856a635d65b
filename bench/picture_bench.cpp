// Times picture loading under Wine: D3DX's loads as the yardstick, then the game's own deal.
//   picture_bench FOLDER   (FOLDER holds pic01.jpg..pic18.jpg, pic17 progressive, deep.png, and
//                           photo.png, photo.webp and photo.gif; tif01.tif..tif18.tif, scans.jpg
//                           and many-scans.jpg, its 300,000-scan copy; phone01..18 as .jpg and
//                           .heic and bare01..18.heic, portrait01..18.jpg turned by EXIF,
//                           titled01..18.jpg carrying titles and dates)
//   picture_bench minimize (minimises a running game's window, for the idle figures)
//   picture_bench frames FOLDER (the frame figures alone, on a deal of FOLDER's pictures)
//   picture_bench large FOLDER (the large view's figures alone, on FOLDER's titled01..18.jpg)
//   picture_bench fullscreen FOLDER (the game's own part of the switch to the full screen and back,
//                               on a level-4 deal of FOLDER's pictures)
//   picture_bench pairs FOLDER (level-4 deals of each kind of pairs: pic01..18.jpg as twins, their
//                               links "Person 01..18.jpg" as pictures with their names, and
//                               "Person 01..18 (1).jpg" and "(2).jpg" as two pictures of one name)
//   picture_bench people PLAIN HOSTILE (deals' decodes with what the pictures carry read, of
//                               photo01..18.jpg in PLAIN and in HOSTILE, where they carry hostile
//                               people tags beside and within them, interleaved)
#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// stb_image stays here alone, as the yardstick the game's PNG decoder was once; static, so it
// cannot meet another copy in the game's libraries.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>

#include "app/PathText.h"
#include "app/ScanPictures.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "bench/Measures.h"
#include "bench/GameFrames.h"
#include "board/CardPictures.h"
#include "board/LargeView.h"
#include "board/LargeViewDrawing.h"
#include "board/NewRound.h"
#include "board/RenderBoard.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "engine/PictureSurface.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureScale.h"
#include "res/resource.h"
#include "rules/GameState.h"

namespace {

const int CardWidth = 131; // a level-4 card in an 800 by 600 client
const int CardHeight = 98;

// The game started, its folder the one given, scanned.
bool StartOnFolder(const char* folder) {
    if (!StartGame())
        return false;
    CopyPathText(PicturePath, folder);
    ScanPictures();
    return true;
}

// User and kernel time of every thread of the process so far: what a set costs whatever else runs.
double CpuMilliseconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return double(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Mean time of a few decodes of one file at one size; a file meant to be refused (`picture` false)
// must be.
double DecodeTime(const std::string& path, int width, int height, bool picture = true) {
    const int runs = 3;
    std::vector<uint32_t> pixels;
    const double start = Now();
    for (int i = 0; i < runs; ++i) {
        if (DecodePicture(path.c_str(), width, height, PictureFit::Stretch, &pixels) != picture)
            std::printf("  (%s %s)\n", path.c_str(), picture ? "did not decode" : "decoded");
    }
    return (Now() - start) / runs;
}

// A PNG as the game decoded it through stb_image: read, decoded whole, laid over white, scaled.
double StbTime(const std::string& path, int width, int height) {
    const int runs = 3;
    const double start = Now();
    for (int i = 0; i < runs; ++i) {
        std::ifstream file(path, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        int imageWidth = 0, imageHeight = 0, channels = 0;
        stbi_uc* image = stbi_load_from_memory(bytes.data(), int(bytes.size()), &imageWidth, &imageHeight,
                                               &channels, 4);
        if (image == nullptr) {
            std::printf("  (stb_image did not decode %s)\n", path.c_str());
            continue;
        }
        AreaScaler scaler(imageWidth, imageHeight, width, height);
        std::vector<uint8_t> row(size_t(imageWidth) * 3);
        for (int y = 0; y < imageHeight; ++y) {
            RgbaOverWhite(image + size_t(y) * imageWidth * 4, imageWidth, row.data());
            scaler.AddRow(row.data());
        }
        stbi_image_free(image);
    }
    return (Now() - start) / runs;
}

// The time of D3DX's loads of the files, in order; `failed` counts those it could not read.
double D3dxLoads(const std::vector<std::string>& paths, int* failed = nullptr) {
    const HWND window = CreateWindowA("STATIC", "bench", WS_POPUP, 0, 0, CardWidth, CardHeight, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters = {};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.BackBufferFormat = D3DFMT_UNKNOWN;
    IDirect3DDevice9* device = nullptr;
    IDirect3DSurface9* surface = nullptr;
    double total = -1;
    if (d3d != nullptr &&
        d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                          &parameters, &device) == D3D_OK &&
        device->CreateOffscreenPlainSurface(CardWidth, CardHeight, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &surface,
                                            nullptr) == D3D_OK) {
        const double start = Now();
        for (const std::string& path : paths) {
            if (D3DXLoadSurfaceFromFileA(surface, nullptr, nullptr, path.c_str(), nullptr, D3DX_DEFAULT, 0,
                                         nullptr) != D3D_OK &&
                failed != nullptr)
                ++*failed;
        }
        total = Now() - start;
    }
    if (surface != nullptr)
        surface->Release();
    if (device != nullptr)
        device->Release();
    if (d3d != nullptr)
        d3d->Release();
    DestroyWindow(window);
    return total;
}

// More on a board looked at for `looked` ms, the next deal being prepared meanwhile as the game
// does once a board is on the screen; *prepared gets what the prepared pictures took.
double MoreAfterLooking(DWORD looked, double* prepared) {
    NewRound();
    const double before = PrivateMegabytes();
    PrepareNextRoundIfWanted();
    Sleep(looked);
    *prepared = PrivateMegabytes() - before;
    const double start = Now();
    NewRound();
    return Now() - start;
}

// Level-4 deals of 18 TIFFs, which Windows' own codecs read, in the game's window as it stands.
void BenchSystemCodecs(const std::string& folder) {
    std::vector<std::string> tiffs;
    for (int i = 1; i <= 18; ++i)
        tiffs.push_back(folder + (i < 10 ? "tif0" : "tif") + std::to_string(i) + ".tif");
    PictureList = tiffs;
    double all = 0;
    size_t decoded = 0;
    for (int deal = 0; deal < 3; ++deal) {
        const double start = Now();
        NewRound();
        all += Now() - start;
        decoded = 0;
        for (int number = 1; number <= PairCount(); ++number)
            decoded += CardImages[number]->Drawable();
    }
    std::printf("%-58s %10.0f  (%zu cards, through WIC)\n", "Level-4 deal of 18 LZW TIFFs, mean of 3", all / 3,
                decoded);
}

// The 300,000-scan JPEG refused, against the same picture with the scans of a usual file: at a
// card that reads every scan (1/2 scale), and at one that reads only the DC scans (1/8).
void BenchManyScans(const std::string& folder) {
    for (const auto& card : {std::make_pair(320, 240), std::make_pair(CardWidth, CardHeight)}) {
        const std::string size = std::to_string(card.first) + "x" + std::to_string(card.second);
        std::printf("%-58s %10.0f\n", ("1000x750 progressive JPEG at " + size).c_str(),
                    DecodeTime(folder + "scans.jpg", card.first, card.second));
        std::printf("%-58s %10.0f\n", ("The same with 300,000 scans, refused, at " + size).c_str(),
                    DecodeTime(folder + "many-scans.jpg", card.first, card.second, false));
    }
}

// A level-4 deal of the 18 files prefix01..prefix18 with the extension, in the current client: the
// mean time of `deals` deals; *cards gets how many of the last deal's cards have a picture.
double DealTime(const std::string& folder, const char* prefix, const char* extension, int deals, size_t* cards) {
    PictureList.clear();
    for (int i = 1; i <= 18; ++i)
        PictureList.push_back(folder + prefix + (i < 10 ? "0" : "") + std::to_string(i) + extension);
    Level = 4;
    double total = 0;
    for (int deal = 0; deal < deals; ++deal) {
        const double start = Now();
        NewRound();
        total += Now() - start;
    }
    *cards = 0;
    for (int number = 1; number <= PairCount(); ++number)
        *cards += CardImages[number]->Drawable();
    return total / deals;
}

// Phone photos: 18 HEICs of 4032x3024 with 320x240 thumbnails against the same 18 as JPEG, and the
// same HEICs without their thumbnails; one of each decoded alone to a level-4 card.
void HeifFigures(const std::string& folder) {
    size_t jpegCards = 0, heicCards = 0, bareCards = 0;
    const double jpeg = DealTime(folder, "phone", ".jpg", 3, &jpegCards);
    const double heic = DealTime(folder, "phone", ".heic", 3, &heicCards);
    const double bare = DealTime(folder, "bare", ".heic", 1, &bareCards);
    const int width = KeptPictures[1].Width, height = KeptPictures[1].Height;
    std::printf("%-58s %10.0f  (%zu cards, each kept at %dx%d)\n", "Level-4 deal, 18 phone JPEGs 4032x3024, mean of 3",
                jpeg, jpegCards, width, height);
    std::printf("%-58s %10.0f  (%.2fx the JPEG deal, %zu cards)\n", "Level-4 deal, the same 18 as HEIC, mean of 3",
                heic, heic / jpeg, heicCards);
    std::printf("%-58s %10.0f  (%zu cards)\n", "Level-4 deal, the same HEICs without thumbnails", bare, bareCards);
    std::printf("%-58s %10.0f\n", "One HEIC to a level-4 card: its thumbnail",
                DecodeTime(folder + "phone01.heic", width, height));
    std::printf("%-58s %10.0f\n", "One HEIC to a level-4 card: its primary (no thumbnail)",
                DecodeTime(folder + "bare01.heic", width, height));
}

// Portrait phone photos (4032x3024 stored, turned upright by EXIF), dealt with their shape kept and
// stretched, alternately in one run so that both meet the same machine.
void FitFigures(const std::string& folder) {
    double times[2] = {};
    size_t cards[2] = {};
    for (int round = 0; round < 3; ++round) {
        for (int fit = 0; fit < 2; ++fit) {
            Fit = fit;
            times[fit] += DealTime(folder, "portrait", ".jpg", 1, &cards[fit]) / 3;
        }
    }
    Fit = 0;
    std::printf("%-58s %10.0f  (mean of 3, %zu cards)\n", "Level-4 deal, 18 portrait JPEGs 3024x4032, stretched",
                times[0], cards[0]);
    std::printf("%-58s %10.0f  (%.2fx stretched, %zu cards)\n", "Level-4 deal, the same, their shape kept", times[1],
                times[1] / times[0], cards[1]);
}

// The large view of a 4032x3024 JPEG at a 1920x1080 client, from the double-click on its found card
// to the first frame of its sharp picture, decoded at the view's size (mean of 3); then a level-4
// deal's decodes of 18 such photos carrying a title and dates, with their names and dates read and
// without, alternately in one run so that both meet the same machine.
void LargeViewFigures(const std::string& folder) {
    size_t cards = 0;
    DealTime(folder, "titled", ".jpg", 1, &cards);
    ShowWindow(Engine->Window, SW_SHOWNOACTIVATE);
    SetClient(1920, 1080);
    RenderBoard();
    double view = 0;
    const double viewCpu = CpuMilliseconds();
    for (int run = 0; run < 3; ++run) {
        FaceUp[0][0] = 1;
        const RECT board = {0, 0, BackBufferWidth, BackBufferHeight};
        const double start = Now();
        SendMessageA(Engine->Window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(board.right / Columns / 2, board.bottom / Rows / 2));
        MSG message;
        while (LargeViewOpen() && !LargeViewSharp()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT);
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
        }
        RenderLargeView();
        view += Now() - start;
        CloseLargeView();
    }
    std::printf("%-58s %10.0f  (CPU %.0f)\n", "Large view of a 4032x3024 JPEG at 1920x1080, click to sharp", view / 3,
                (CpuMilliseconds() - viewCpu) / 3);
    const double decodeCpu = CpuMilliseconds();
    const double decode = DecodeTime(folder + "titled01.jpg", 1360, 1020);
    std::printf("%-58s %10.0f  (CPU %.0f)\n", "Of it, the JPEG's decode to 1360x1020 alone", decode,
                (CpuMilliseconds() - decodeCpu) / 3);
    std::vector<std::string> titled;
    for (int i = 1; i <= 18; ++i)
        titled.push_back(folder + (i < 10 ? "titled0" : "titled") + std::to_string(i) + ".jpg");
    const PixelSize kept = KeptCardSize();
    double times[2] = {};
    double cpu[2] = {};
    size_t named = 0;
    for (int round = 0; round < 3; ++round) {
        for (int read = 0; read < 2; ++read) {
            BatchControl control;
            control.ReadInfo = read == 1;
            const double start = Now();
            const double cpuStart = CpuMilliseconds();
            const std::vector<DecodedPicture> pictures =
                DecodeFirstPictures(titled, 18, kept.Width, kept.Height, PictureFit::Stretch, DecodeThreadCount(), control);
            times[read] += (Now() - start) / 3;
            cpu[read] += (CpuMilliseconds() - cpuStart) / 3;
            named = 0;
            for (const DecodedPicture& picture : pictures)
                named += picture.Info.Title.empty() ? 0 : 1;
        }
    }
    std::printf("%-58s %10.0f  (CPU %.0f)\n", "Level-4 deal's decodes, 18 titled 4032x3024 JPEGs, mean of 3",
                times[0], cpu[0]);
    std::printf("%-58s %10.0f  (%.3fx; CPU %.0f, %.3fx; %zu named)\n", "The same with their names and dates read",
                times[1], times[1] / times[0], cpu[1], cpu[1] / cpu[0], named);
}

// Level-4 deals of each kind of pairs from the same photos, in turn in one run so that each meets
// the same machine: the first of each (its names read from the files, once a run), then the mean
// of 3 more. The wall time and the CPU time of all threads.
void PairFigures(const std::string& folder) {
    const auto numbered = [&](const std::string& prefix, int i, const char* suffix) {
        return folder + prefix + (i < 10 ? "0" : "") + std::to_string(i) + suffix;
    };
    std::vector<std::string> lists[3];
    for (int i = 1; i <= 18; ++i) {
        lists[0].push_back(numbered("pic", i, ".jpg"));
        lists[1].push_back(numbered("Person ", i, ".jpg"));
        lists[2].push_back(numbered("Person ", i, " (1).jpg"));
        lists[2].push_back(numbered("Person ", i, " (2).jpg"));
    }
    Level = 4;
    SetClient(1600, 1200);
    double first[3] = {}, times[3] = {}, cpu[3] = {};
    size_t cards[3] = {};
    // The process's first deal starts its workers and reads the files cold: not counted.
    PictureList = lists[0];
    NewRound();
    for (int round = 0; round < 4; ++round) {
        for (int kind = 0; kind < 3; ++kind) {
            Pairs = kind;
            PictureList = lists[kind];
            const double start = Now();
            const double cpuStart = CpuMilliseconds();
            NewRound();
            const double time = Now() - start;
            (round == 0 ? first[kind] : times[kind]) += round == 0 ? time : time / 3;
            if (round > 0)
                cpu[kind] += (CpuMilliseconds() - cpuStart) / 3;
            cards[kind] = 0;
            for (int face = 1; face < CardImageCount; ++face)
                cards[kind] += CardImages[face] != nullptr && CardImages[face]->Drawable();
        }
    }
    Pairs = 0;
    const char* kinds[3] = {"twin pictures", "a picture and its name", "two pictures of one name"};
    for (int kind = 0; kind < 3; ++kind) {
        std::printf("%-58s %10.0f  (%.3fx twins; CPU %.0f, %.3fx; first %.0f; %zu faces)\n",
                    (std::string("Level-4 deal of ") + kinds[kind] + ", mean of 3").c_str(), times[kind],
                    times[kind] / times[0], cpu[kind], cpu[kind] / cpu[0], first[kind], cards[kind]);
    }
}

// The game's own part of the switch to the full screen and back, on its window shown: from the
// command to the first frame drawn and copied onto the window (the board's surfaces of the new size,
// its cards made for it), wall and CPU time of all threads, mean of 5 each way; and before, what the
// game does once its first board shows: the full screen's surfaces made ahead.
void FullScreenFigures() {
    Level = 4;
    NewRound();
    ShowWindow(Engine->Window, SW_SHOWNOACTIVATE);
    RenderBoard();
    const double prepared = Now(), preparedCpu = CpuMilliseconds();
    PrepareFullScreenBoard();
    std::printf("%-58s %10.0f  (CPU %.0f)\n", "The full screen's surfaces made ahead, once", Now() - prepared,
                CpuMilliseconds() - preparedCpu);
    double wall[2] = {}, cpu[2] = {};
    for (int run = 0; run < 10; ++run) {
        const double start = Now(), cpuStart = CpuMilliseconds();
        SendMessageA(Engine->Window, WM_COMMAND, IDM_FULLSCREEN, 0);
        RenderBoard();
        wall[run % 2] += (Now() - start) / 5;
        cpu[run % 2] += (CpuMilliseconds() - cpuStart) / 5;
    }
    std::printf("%-58s %10.0f  (CPU %.0f; %dx%d)\n", "The game's switch to the full screen, to its frame", wall[0],
                cpu[0], BackBufferWidth, BackBufferHeight);
    std::printf("%-58s %10.0f  (CPU %.0f)\n", "The game's switch back to the window, to its frame", wall[1], cpu[1]);
}

// Frames on a level-4 board at 1920x1080, each drawn, read back and copied onto the window, shown as
// the game's is: the board standing still, then four cards each turning up and back (the first
// stretched copy of a run included).
void TurningFrames() {
    Level = 4;
    NewRound();
    ShowWindow(Engine->Window, SW_SHOWNOACTIVATE);
    SetClient(1920, 1080);
    RenderBoard();
    double still = 0;
    for (int i = 0; i < 10; ++i) {
        // As a repaint asks: nothing has changed, and the board is drawn and copied whole.
        WholeFrameWanted = true;
        const double start = Now();
        RenderBoard();
        still += Now() - start;
    }
    std::vector<double> times = TurningFrameTimes();
    double total = 0;
    for (double time : times)
        total += time;
    std::sort(times.begin(), times.end());
    std::printf("%-58s %10.1f  (%dx%d)\n", "One frame of the level-4 board at 1920x1080, mean of 10", still / 10,
                BackBufferWidth, BackBufferHeight);
    std::printf("%-58s %10.1f  (median %.1f, longest %.1f, %zu frames)\n",
                "One frame of a card turning there, mean", total / double(times.size()), times[times.size() / 2],
                times.back(), times.size());
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Level-4 deals' decodes with what the pictures carry read: of 18 photos (A) and of the same photos
// carrying hostile people tags in the file and its extended XMP, both sidecars and Google's JSON
// (B), interleaved A, B seven times after one cold deal of each; the medians of the wall and CPU
// times, and each run's.
void PeopleFigures(const std::string& plain, const std::string& hostile) {
    std::vector<std::string> lists[2];
    for (int i = 1; i <= 18; ++i) {
        const std::string name = std::string(i < 10 ? "photo0" : "photo") + std::to_string(i) + ".jpg";
        lists[0].push_back(plain + name);
        lists[1].push_back(hostile + name);
    }
    const PixelSize kept = KeptCardSize();
    std::vector<double> times[2], cpu[2];
    size_t people[2] = {};
    for (int round = 0; round < 8; ++round) {
        for (int kind = 0; kind < 2; ++kind) {
            BatchControl control;
            control.ReadInfo = true;
            const double start = Now();
            const double cpuStart = CpuMilliseconds();
            const std::vector<DecodedPicture> pictures = DecodeFirstPictures(
                lists[kind], 18, kept.Width, kept.Height, PictureFit::Stretch, DecodeThreadCount(), control);
            if (round > 0) {
                times[kind].push_back(Now() - start);
                cpu[kind].push_back(CpuMilliseconds() - cpuStart);
            }
            people[kind] = 0;
            for (const DecodedPicture& picture : pictures)
                people[kind] += picture.Info.People.size();
        }
    }
    const char* names[2] = {"Deal's decodes and info, 18 photos (A), median of 7",
                            "The same with hostile people tags (B), median of 7"};
    for (int kind = 0; kind < 2; ++kind) {
        std::printf("%-58s %10.0f  (CPU %.0f; %zu people read)\n  runs:", names[kind], Median(times[kind]),
                    Median(cpu[kind]), people[kind]);
        for (size_t run = 0; run < times[kind].size(); ++run)
            std::printf(" %.0f/%.0f", times[kind][run], cpu[kind][run]);
        std::printf("\n");
    }
    std::printf("%-58s %10.3fx  (CPU %.3fx)\n", "B against A", Median(times[1]) / Median(times[0]),
                Median(cpu[1]) / Median(cpu[0]));
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "people") {
        if (!StartGame())
            return 1;
        PeopleFigures(std::string(argv[2]) + "\\", std::string(argv[3]) + "\\");
        return 0;
    }
    if (argc == 2 && std::string(argv[1]) == "minimize") {
        const HWND game = FindWindowA("Yorewind", nullptr);
        return game != nullptr && ShowWindow(game, SW_MINIMIZE) >= 0 ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "large") {
        if (!StartGame())
            return 1;
        LargeViewFigures(std::string(argv[2]) + "\\");
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "fullscreen") {
        if (!StartOnFolder(argv[2]))
            return 1;
        FullScreenFigures();
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "pairs") {
        if (!StartGame())
            return 1;
        PairFigures(std::string(argv[2]) + "\\");
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "frames") {
        if (!StartOnFolder(argv[2]))
            return 1;
        TurningFrames();
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture_bench FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    std::vector<std::string> jpegs;
    for (int i = 1; i <= 18; ++i)
        jpegs.push_back(folder + (i < 10 ? "pic0" : "pic") + std::to_string(i) + ".jpg");

    const double d3dx = D3dxLoads(jpegs);
    if (!StartGame())
        return 1;
    PictureList = jpegs;
    Level = 4;
    SetClient(1600, 1200);
    const unsigned threads = DecodeThreadCount();
    double first = 0;
    double all = 0;
    const double cpuStart = CpuMilliseconds();
    double memoryFirst = 0;
    double memoryTenth = 0;
    size_t decoded = 0;
    for (int batch = 1; batch <= 10; ++batch) {
        const double start = Now();
        NewRound();
        decoded = 0;
        for (int number = 1; number <= PairCount(); ++number)
            decoded += CardImages[number]->Drawable();
        const double time = Now() - start;
        all += time;
        if (batch == 1) {
            first = time;
            memoryFirst = PrivateMegabytes();
        }
        memoryTenth = PrivateMegabytes();
    }
    const double cpuTotal = CpuMilliseconds() - cpuStart;
    double preparedMemory = 0;
    double unused = 0;
    const double moreLooked = MoreAfterLooking(2000, &preparedMemory);
    const double moreAtOnce = MoreAfterLooking(0, &unused);
    // From the size change to the first frame with cards made for the new size.
    double resized = 0;
    for (int i = 0; i < 4; ++i) {
        const double start = Now();
        SetClient(i % 2 == 0 ? 1191 : 1600, i % 2 == 0 ? 891 : 1200);
        RenderBoard();
        resized = std::max(resized, Now() - start);
    }
    // A frame of the board as it stands: drawn, read back and copied onto the window.
    double frames = 0;
    for (int i = 0; i < 10; ++i) {
        WholeFrameWanted = true;
        const double start = Now();
        RenderBoard();
        frames += Now() - start;
    }
    std::printf("%-58s %10s\n", "Pictures under Wine, 4000x3000 JPEG q90 unless named", "ms");
    std::printf("%-58s %10.0f\n", "D3DXLoadSurfaceFromFileA, 18 JPEGs into 131x98", d3dx);
    std::printf("%-58s %10.0f  (%.3fx D3DX, %zu cards, %u threads)\n",
                "Level-4 deal (NewRound) in 1600x1200, 18 JPEGs, 1st", first, first / d3dx, decoded, threads);
    std::printf("%-58s %10.0f\n", "Level-4 deal, mean of 10 deals", all / 10);
    std::printf("%-58s %10.0f\n", "Level-4 deal, CPU time per deal (all threads)", cpuTotal / 10);
    std::printf("%-58s %10.1f  (%.4fx D3DX)\n", "More after looking at the board for 2 s", moreLooked,
                moreLooked / d3dx);
    std::printf("%-58s %10.0f\n", "More at once after a deal", moreAtOnce);
    std::printf("%-58s %7.1f MB\n", "Private bytes of the prepared deal", preparedMemory);
    std::printf("%-58s %10.0f  (%dx%d)\n", "Cards sharp again after a resize, the longest of 4", resized,
                BackBufferWidth, BackBufferHeight);
    std::printf("%-58s %10.1f\n", "One frame of the level-4 board, mean of 10", frames / 10);
    const struct {
        const char* Scale;
        int Width, Height;
    } scales[] = {{"1/8", 500, 375}, {"1/4", 1000, 750}, {"1/2", 2000, 1500}, {"1/1", 4000, 3000}};
    for (const auto& s : scales) {
        const std::string row = std::string("One JPEG at DCT scale ") + s.Scale + " (to " +
                                std::to_string(s.Width) + "x" + std::to_string(s.Height) + ")";
        std::printf("%-58s %10.0f\n", row.c_str(), DecodeTime(jpegs[0], s.Width, s.Height));
    }
    std::printf("%-58s %10.0f\n", "Progressive JPEG at 131x98 (scale 1/8)",
                DecodeTime(jpegs[16], CardWidth, CardHeight));
    const struct {
        const char* Kind;
        const char* File;
        bool Stb;
    } formats[] = {{"16-bit PNG", "deep.png", true},
                   {"8-bit PNG", "photo.png", true},
                   {"WebP (q90)", "photo.webp", false},
                   {"GIF", "photo.gif", false}};
    for (const auto& f : formats) {
        const std::string path = folder + f.File;
        std::printf("%-58s %10.0f\n", (std::string(f.Kind) + " at 131x98, the game").c_str(),
                    DecodeTime(path, CardWidth, CardHeight));
        if (f.Stb)
            std::printf("%-58s %10.0f\n", (std::string(f.Kind) + " at 131x98, stb_image").c_str(),
                        StbTime(path, CardWidth, CardHeight));
        int failed = 0;
        const double d3dx = D3dxLoads({path, path, path}, &failed) / 3;
        std::printf("%-58s %10.0f%s\n", (std::string(f.Kind) + " into 131x98, D3DX").c_str(), d3dx,
                    failed != 0 ? "  (D3DX failed to read it)" : "");
    }
    std::printf("%-58s %7.1f MB / %.1f MB\n", "Private bytes after the 1st / 10th deal", memoryFirst,
                memoryTenth);
    BenchSystemCodecs(folder);
    BenchManyScans(folder);
    HeifFigures(folder);
    FitFigures(folder);
    LargeViewFigures(folder);
    TurningFrames();
    return 0;
}

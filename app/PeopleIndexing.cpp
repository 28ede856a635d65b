#include "app/PeopleIndexing.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CrashRecord.h"
#include "app/FolderWalk.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/Texts.h"
#include "board/PeopleWait.h"
#include "board/RenderBoard.h"
#include "board/StatusBar.h"
#include "pictures/FaceDescriber.h"
#include "pictures/PeopleIndexFolder.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureFaces.h"
#include "res/resource.h"

namespace {

// The game's reader, dlib's models loaded once per run before the first picture.
bool LoadModels() {
    return LoadFaceModels(FaceModelsFolder());
}

// Only the window's thread touches them.
PictureFacesReader Reader = ReadPictureFaces;
std::function<bool()> PrepareReader = LoadModels;
std::unique_ptr<PeopleIndexer> Indexer;
HWND IndexedWindow = nullptr;
std::string StorePath;
// A pause asked before the indexer started (a deal of start-up) holds for it too.
bool Paused = false;
// The trouble last told: each is told once a run, the bar hidden or not.
IndexTrouble Told = IndexTrouble::None;

// The picture list's paths are in the process's code page, the index's in UTF-8; with the
// manifest's UTF-8 code page the two are one.
std::string Utf8Of(const std::string& narrow) {
    return NarrowText(WideText(narrow, CP_ACP), CP_UTF8);
}
std::string NarrowOf(const std::string& utf8) {
    return NarrowText(WideText(utf8, CP_UTF8), CP_ACP);
}

// The pictures of the list with their sizes and write times, asked on the indexer's thread; a file
// only in the cloud is listed but not read (opening it downloads it), as the scan leaves it out.
IndexListing ListPictures(const std::vector<std::string>& paths, const std::atomic<bool>& stop) {
    const uint32_t cloud =
        FileAttribute::Offline | FileAttribute::RecallOnOpen | FileAttribute::RecallOnDataAccess;
    IndexListing listing;
    for (const std::string& path : paths) {
        if (stop)
            break;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(WideText(path, CP_ACP).c_str(), GetFileExInfoStandard, &data))
            continue;
        const ListedPicture picture{Utf8Of(path), (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                                    int64_t((uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                            data.ftLastWriteTime.dwLowDateTime)};
        if (data.dwFileAttributes & cloud)
            listing.CloudOnly.insert(picture.Path);
        listing.Pictures.push_back(picture);
    }
    return listing;
}

// A picture no longer listed is forgotten only when its file is gone from a folder that is there:
// a drive away or a folder the player no longer plays keeps its people.
bool Vanished(const std::string& path) {
    return GetFileAttributesW(WideText(path, CP_UTF8).c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

void LowerPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

void NormalPriority() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

// A number as the user's locale writes a count: its digits grouped, no decimals.
std::wstring GroupedNumber(size_t number) {
    wchar_t decimal[8] = L".", thousand[8] = L",", grouping[16] = L"3;0";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 8);
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SGROUPING, grouping, 16);
    // "3;0" is 3, "3;2;0" is 32 and "3" (no repeat) is 30, as NUMBERFMT takes them.
    UINT groups = 0;
    const std::wstring pattern = grouping;
    for (wchar_t c : pattern) {
        if (c >= L'0' && c <= L'9')
            groups = groups * 10 + UINT(c - L'0');
    }
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, L";0") == 0)
        groups /= 10;
    else
        groups *= 10;
    // A leading zero, or 0 itself would come out empty.
    NUMBERFMTW format = {0, 1, groups, decimal, thousand, 1};
    const std::wstring digits = std::to_wstring(number);
    wchar_t text[64];
    return GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format, text, 64) > 0 ? text
                                                                                                 : digits;
}

std::wstring TroubleText(IndexTrouble trouble) {
    const std::wstring file = WideText(StorePath, CP_UTF8);
    switch (trouble) {
        case IndexTrouble::DiskFull:
            return LoadText(IDS_PEOPLE_DISK_FULL);
        case IndexTrouble::ReadOnly:
            return FormatText(IDS_PEOPLE_READ_ONLY, {file});
        case IndexTrouble::Unavailable:
            return FormatText(IDS_PEOPLE_UNAVAILABLE, {file});
        case IndexTrouble::NoModels:
            return LoadText(IDS_PEOPLE_NO_MODELS);
        default:
            // Another game builds the index: this one only reads it, and says nothing.
            return std::wstring();
    }
}

} // namespace

void UsePictureFacesReader(PictureFacesReader read, std::function<bool()> prepare) {
    const bool own = bool(read);
    Reader = own ? std::move(read) : PictureFacesReader(ReadPictureFaces);
    PrepareReader = own ? std::move(prepare) : std::function<bool()>(LoadModels);
}

void StartPeopleIndexing(HWND window) {
    StopPeopleIndexing();
    if (RecognisePeople != 1)
        return;
    StorePath = PeopleIndexPath();
    if (StorePath.empty())
        return;
    IndexerSetup setup;
    setup.StorePath = StorePath;
    setup.List = [paths = PictureList](const std::atomic<bool>& stop) { return ListPictures(paths, stop); };
    setup.Read = [read = Reader](const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces) {
        return read(NarrowOf(path).c_str(), stop, faces);
    };
    setup.Prepare = PrepareReader;
    setup.Vanished = Vanished;
    setup.LeftOut = [](const std::string& path) { return LeftOutAfterCrashes(NarrowOf(path)); };
    setup.WorkerStart = LowerPriority;
    setup.WorkerEnd = NormalPriority;
    setup.GiveWay = BoardFramesComing;
    setup.BudgetSeconds = PictureCpuBudgetSeconds;
    setup.Threads = 2;
    setup.BatchSize = 4;
    setup.Progress = [window] { PostMessageW(window, PeopleIndexedMessage, 0, 0); };
    TakePeopleProgressFrom(CurrentPeopleIndexProgress);
    Indexer = std::make_unique<PeopleIndexer>(std::move(setup));
    IndexedWindow = window;
    Indexer->Pause(Paused);
    Indexer->Start();
}

void StopPeopleIndexing() {
    if (Indexer == nullptr)
        return;
    Indexer.reset();
    // The bar's part goes once the window handles it (a window closing never does).
    PostMessageW(IndexedWindow, PeopleIndexedMessage, 0, 0);
}

void PausePeopleIndexing(bool paused) {
    Paused = paused;
    if (Indexer != nullptr)
        Indexer->Pause(paused);
}

PeopleProgressNow CurrentPeopleIndexProgress() {
    if (Indexer == nullptr)
        return {false, 0, 0};
    return {Indexer->Running(), int(Indexer->Done()), int(Indexer->Total())};
}

void ShowPeopleIndexed() {
    if (Indexer == nullptr) {
        ShowIndexingText(std::wstring());
        return;
    }
    if (Indexer->Running() && Indexer->Done() < Indexer->Total())
        ShowIndexingText(FormatText(IDS_PEOPLE_INDEXING,
                                    {GroupedNumber(Indexer->Done()), GroupedNumber(Indexer->Total())}));
    else
        ShowIndexingText(TroubleText(Indexer->Trouble()));
    const IndexTrouble trouble = Indexer->Trouble();
    if (trouble == IndexTrouble::None || trouble == Told || Indexer->Running())
        return;
    Told = trouble;
    // The game keeps no log: a debugger hears the store's own words.
    OutputDebugStringW(
        WideText("Yorewind: people index " + StorePath + ": " + Indexer->TroubleReason() + "\n", CP_UTF8)
            .c_str());
    // A single player's bar is hidden: a trouble that stops recognising is told in a message of its
    // own, over whatever dialog is open then (start-up's question about the board, say).
    const std::wstring text = TroubleText(trouble);
    if (!text.empty() && IsWindow(IndexedWindow))
        MessageBoxW(GetLastActivePopup(IndexedWindow), text.c_str(), LoadText(IDS_ERROR_CAPTION).c_str(),
                    MB_OK | MB_ICONWARNING);
}

bool ForgetRecognisedPeople(HWND owner) {
    StopPeopleIndexing();
    ShowIndexingText(std::wstring());
    const std::string path = PeopleIndexPath();
    std::string left;
    if (path.empty() || ForgetPeople(path, &left))
        return true;
    MessageBoxW(owner, FormatText(IDS_PEOPLE_NOT_FORGOTTEN, {WideText(left, CP_UTF8)}).c_str(),
                LoadText(IDS_ERROR_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
    return false;
}

// The people's index built beside the window: its progress on the status bar, grouped as the
// locale groups numbers, a stop mid-way and a start that goes on from there, and the stop of the
// program's own shutdown.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <string>

#include "app/PeopleIndexing.h"
#include "app/PlayerSettings.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "board/StatusBar.h"
#include "engine/GameEngine.h"
#include "pictures/PeopleIndexFolder.h"
#include "res/resource.h"
#include "tests/win/WinTestSupport.h"

namespace {

// The bar's last part, once the window's messages so far are handled.
std::wstring LastPart() {
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&message);
    const HWND bar = GetDlgItem(Engine->Window, IDC_STATUSBAR);
    const int parts = int(SendMessageW(bar, SB_GETPARTS, 0, 0));
    wchar_t text[256] = L"";
    if (parts > 0 && LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, parts - 1, 0)) < 256)
        SendMessageW(bar, SB_GETTEXTW, parts - 1, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(PeopleIndexing, ShowsItsProgressAndGoesOnWhereItStopped) {
    ASSERT_TRUE(ForgetPeopleIndex());
    std::atomic<bool> open{false};
    {
        ScopedGame game;
        yw::TempFolder folder;
        PictureList.clear();
        for (int i = 0; i < 1200; ++i) {
            PictureList.push_back(folder.File("p" + std::to_string(i) + ".jpg"));
            std::ofstream(PictureList.back()) << i;
        }
        RecognisePeople = 1;
        StatusBar = true;
        FitStatusBarToRound();
        // One face a picture, each far from the others; none read until the test opens the way.
        UsePictureFacesReader(
            [&open](const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces) {
                while (!open && !stop())
                    Sleep(1);
                FaceDescriptor descriptor{};
                descriptor[std::hash<std::string>()(path) % 128] = 1.0f;
                faces->push_back({{0.1, 0.1, 0.2, 0.2}, descriptor, std::nullopt});
                return !stop();
            },
            [] { return true; });
        StartPeopleIndexing(Engine->Window);
        EXPECT_TRUE(yw::WaitUntil([] { return LastPart() == L"Finding people: 0 of 1,200"; })) << LastPart();

        open = true;
        ASSERT_TRUE(yw::WaitUntil([] { return CurrentPeopleIndexProgress().Done >= 8; }));
        PausePeopleIndexing(true);
        StopPeopleIndexing();
        const PeopleProgressNow stopped = CurrentPeopleIndexProgress();
        EXPECT_FALSE(stopped.Running);

        StartPeopleIndexing(Engine->Window);
        PausePeopleIndexing(false);
        ASSERT_TRUE(yw::WaitUntil([] { return LastPart().rfind(L"Finding people: ", 0) == 0; }));
        EXPECT_GE(CurrentPeopleIndexProgress().Done, 8);
        EXPECT_EQ(CurrentPeopleIndexProgress().Total, 1200);
        // The window's end stops the indexing, mid-picture too.
    }
    EXPECT_FALSE(CurrentPeopleIndexProgress().Running);
    std::unique_ptr<FaceIndexStore> store = OpenPeopleIndex();
    int faces = 0;
    store->ForEachDescribedFace([&](const StoredFace&) { return ++faces > 0; });
    EXPECT_GE(faces, 8);
    EXPECT_FALSE(store->People().empty());
    store.reset();
    EXPECT_TRUE(ForgetPeopleIndex());
    RecognisePeople = 0;
    UsePictureFacesReader(nullptr, nullptr);
}

} // namespace

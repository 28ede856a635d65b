// The menu commands of the main window, sent as the menu sends them; modal boxes are read and
// closed from a second thread.
#include <gtest/gtest.h>

#include "app/MenuCommands.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "game/GameState.h"
#include "game/NewRound.h"
#include "res/resource.h"
#include "tests/win/WinTestSupport.h"

namespace {

class MenuCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(game.Window(), nullptr);
        game.DealWithoutPictures(1);
    }

    LRESULT Command(WORD id, WORD code = 0) const {
        return SendMessageA(game.Window(), WM_COMMAND, MAKEWPARAM(id, code), 0);
    }

    // The texts of a dialog's children, one per line.
    static std::string ChildTexts(HWND dialog) {
        std::string texts;
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
            texts += WindowText(child) + "\n";
        return texts;
    }

    ScopedGame game;
};

TEST_F(MenuCommandsTest, MoreDealsAFreshBoardAtTheCurrentLevel) {
    FirstPick = {0, 0};
    Tries = 3;
    PairsFound = 1;
    FaceUp[1][1] = 1;
    Level = 3;
    EXPECT_EQ(Command(IDM_MORE), 0);
    EXPECT_EQ(Tries, 0);
    EXPECT_EQ(PairsFound, 0);
    EXPECT_TRUE(IsNone(FirstPick));
    EXPECT_EQ(FaceUp[1][1], 0);
    EXPECT_EQ(Columns, 5);
    EXPECT_EQ(Rows, 6);
    EXPECT_EQ(PictureList.size(), 18u) << "no folder is scanned again";
}

TEST_F(MenuCommandsTest, OptionsOpensTheDialogOverTheWindow) {
    auto seen = OnDialog("Yorewind", [](HWND dialog) {
        const std::string owned = GetWindow(dialog, GW_OWNER) == Engine->Window ? "owned" : "not owned";
        const std::string box = WindowText(GetDlgItem(dialog, IDC_PICTUREPATH));
        PressButton(dialog, IDCANCEL);
        return owned + "|" + box;
    });
    EXPECT_EQ(Command(IDM_OPTIONS), 0);
    EXPECT_EQ(seen.get(), "owned|Where Do You Want to Go?");
}

TEST_F(MenuCommandsTest, AboutShowsItsLinesAndClosesOnlyWithOkOrCancel) {
    for (WORD closer : {IDOK, IDCANCEL}) {
        auto seen = OnDialog("Yorewind", [closer](HWND box) {
            const std::string texts = ChildTexts(box);
            SendMessageA(box, WM_COMMAND, 1000, 0); // any other command leaves it open
            const std::string open = IsWindowVisible(box) ? "open" : "closed";
            PressButton(box, closer);
            return open + "\n" + texts;
        });
        // The notification code is not looked at: the same id, whatever sent it.
        EXPECT_EQ(Command(IDM_ABOUT, 1), 0);
        const std::string texts = seen.get();
        EXPECT_EQ(texts.rfind("open\n", 0), 0u) << texts;
        EXPECT_NE(texts.find("Yorewind, Version 1.0\n"), std::string::npos) << texts;
        EXPECT_NE(texts.find("The Simplest is the Best!\n"), std::string::npos) << texts;
        EXPECT_NE(texts.find("the Yorewind developers"), std::string::npos) << texts;
    }
}

TEST_F(MenuCommandsTest, DonateShowsItsMessageWithOneButton) {
    auto seen = OnDialog("Donate", [](HWND box) {
        const std::string text = MessageBoxText(box);
        const bool onlyOk = GetDlgItem(box, IDYES) == nullptr && GetDlgItem(box, IDNO) == nullptr;
        PressButton(box, IDOK);
        return std::string(onlyOk ? "" : "more buttons|") + text;
    });
    EXPECT_EQ(Command(IDM_DONATE), 0);
    const std::string text = seen.get();
    EXPECT_EQ(text, DonateText);
    EXPECT_EQ(text.rfind("Thank you for your support! please go to http", 0), 0u);
    EXPECT_NE(text.find("/games.htm and make a donation there to support my work."), std::string::npos);
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

TEST_F(MenuCommandsTest, ExitEndsTheProgramWithTheSettingsStored) {
    Level = 2;
    HWND window = game.Window();
    EXPECT_EQ(Command(IDM_EXIT), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Engine, nullptr);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
    Level = 1;
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Level, 2);
}

TEST_F(MenuCommandsTest, OtherIdsGetDefaultProcessing) {
    for (WORD id : {0, 106, 32780, 40000}) {
        Tries = 5;
        EXPECT_EQ(HandleMenuCommand(game.Window(), MAKEWPARAM(id, 0), 0),
                  DefWindowProcA(game.Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0));
        EXPECT_EQ(Tries, 5);
    }
}

// The accelerator table is never translated: Alt with "?" or "/" opens nothing.
TEST_F(MenuCommandsTest, AcceleratorKeysOpenNothing) {
    auto opened = OnDialog("Yorewind", [](HWND box) {
        PressButton(box, IDOK);
        return std::string("opened");
    });
    for (char key : {'?', '/'}) {
        PostMessageA(game.Window(), WM_SYSCHAR, key, 1 << 29); // bit 29: Alt held
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    EXPECT_EQ(opened.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout);
    // Release the watcher with a box of our own.
    MessageBoxA(nullptr, "done", "Yorewind", MB_OK);
    EXPECT_EQ(opened.get(), "opened");
}

} // namespace

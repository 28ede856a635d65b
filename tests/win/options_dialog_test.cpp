// The Options dialog from its resource, run modally and driven from a second thread as a player would.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/OptionsDialog.h"
#include "app/Settings.h"
#include "res/resource.h"
#include "tests/win/WinTestSupport.h"

namespace {

class OptionsDialogTest : public testing::Test {
protected:
    // Opens the dialog on this thread while script drives it; returns the dialog's result.
    static INT_PTR Run(std::function<std::string(HWND)> script, std::string* report = nullptr) {
        auto driver = OnDialog("Yorewind", std::move(script));
        const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS),
                                               nullptr, OptionsDlgProc, 0);
        const std::string text = driver.get();
        if (report != nullptr)
            *report = text;
        return result;
    }

    static bool Checked(HWND dialog, int id) {
        return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    // Which level radios are checked, as "1005,1007" and so on.
    static std::string CheckedRadios(HWND dialog) {
        std::string checked;
        for (int id = IDC_LEVEL_EASY; id <= IDC_LEVEL_VERYHARD; ++id)
            if (Checked(dialog, id))
                checked += (checked.empty() ? "" : ",") + std::to_string(id);
        return checked;
    }

    // Sends a click to a radio, as the mouse does (the auto radio checks itself).
    static void ClickRadio(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

    ScopedSettingsKey settings;
};

TEST_F(OptionsDialogTest, OpensWithTheStoredLevelCheckedAndThePathShown) {
    const struct {
        int level;
        std::string radios;
    } cases[] = {{1, "1005"}, {2, "1006"}, {3, "1007"}, {4, "1008"}, {0, ""}, {5, ""}};
    for (const auto& test : cases) {
        Level = test.level;
        CopyPathText(PicturePath, "C:\\photos");
        std::string seen;
        const INT_PTR result = Run(
            [](HWND dialog) {
                const std::string seen =
                    CheckedRadios(dialog) + "|" + WindowText(GetDlgItem(dialog, IDC_PICTUREPATH));
                PressButton(dialog, IDCANCEL);
                return seen;
            },
            &seen);
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(seen, test.radios + "|C:\\photos") << "level " << test.level;
    }
}

TEST_F(OptionsDialogTest, FirstRunShowsTheInitialTextWhichOkAccepts) {
    std::string seen;
    EXPECT_EQ(Run(
                  [](HWND dialog) {
                      const std::string text = WindowText(GetDlgItem(dialog, IDC_PICTUREPATH));
                      PressButton(dialog, IDOK);
                      return text;
                  },
                  &seen),
              IDOK);
    EXPECT_EQ(seen, "Where Do You Want to Go?");
    EXPECT_STREQ(PicturePath, "Where Do You Want to Go?");
    EXPECT_EQ(Level, 1);
}

TEST_F(OptionsDialogTest, OkTakesTheRadioAndStaysOpenForAnEmptyPath) {
    CopyPathText(PicturePath, "");
    Level = 1;
    std::string stillOpen;
    const INT_PTR result = Run(
        [](HWND dialog) {
            ClickRadio(dialog, IDC_LEVEL_HARD);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            const std::string open = IsWindow(dialog) && IsWindowVisible(dialog) ? "open" : "closed";
            const std::string level = std::to_string(Level);
            PressButton(dialog, IDCANCEL);
            return open + " at level " + level;
        },
        &stillOpen);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(stillOpen, "open at level 3");
    EXPECT_EQ(Level, 3);
    EXPECT_STREQ(PicturePath, "");
}

TEST_F(OptionsDialogTest, CancelKeepsTheSettingsAsTheyWere) {
    Level = 2;
    CopyPathText(PicturePath, "C:\\kept");
    EXPECT_EQ(Run([](HWND dialog) {
                  ClickRadio(dialog, IDC_LEVEL_VERYHARD);
                  PressButton(dialog, IDCANCEL);
                  return std::string();
              }),
              IDCANCEL);
    EXPECT_EQ(Level, 2);
    EXPECT_STREQ(PicturePath, "C:\\kept");

    // Out-of-range levels survive an OK without a radio touched.
    Level = 5;
    EXPECT_EQ(Run([](HWND dialog) {
                  PressButton(dialog, IDOK);
                  return std::string();
              }),
              IDOK);
    EXPECT_EQ(Level, 5);
}

TEST_F(OptionsDialogTest, ThePathBoxIsReadOnly) {
    CopyPathText(PicturePath, "C:\\fixed");
    std::string seen;
    Run(
        [](HWND dialog) {
            HWND box = GetDlgItem(dialog, IDC_PICTUREPATH);
            const bool readOnly = (GetWindowLongA(box, GWL_STYLE) & ES_READONLY) != 0;
            SendMessageA(box, WM_CHAR, 'x', 0);
            SendMessageA(box, WM_PASTE, 0, 0);
            const std::string text = WindowText(box);
            PressButton(dialog, IDOK);
            return std::string(readOnly ? "read-only " : "editable ") + text;
        },
        &seen);
    EXPECT_EQ(seen, "read-only C:\\fixed");
    EXPECT_STREQ(PicturePath, "C:\\fixed");
}

// The folder browser: its instruction line, a chosen folder landing at once, a cancel changing nothing.
std::string Browse(HWND dialog, bool choose) {
    PressButton(dialog, IDC_BROWSE);
    HWND browser = WaitForDialog("Browse for Folder", 10000, dialog);
    if (browser == nullptr) {
        PressButton(dialog, IDCANCEL);
        return "<no browser>";
    }
    std::string instruction = "<no instruction>";
    for (HWND child = GetWindow(browser, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowText(child) == "Select the folder containing your favorite pictures:")
            instruction = WindowText(child);
    if (choose) {
        HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
        const LPARAM root = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, root);
    }
    PressButton(browser, choose ? IDOK : IDCANCEL);
    // Wait for the browser to close and the box to be rewritten.
    for (int i = 0; i < 250 && IsWindow(browser); ++i)
        Sleep(20);
    Sleep(100);
    const std::string shown = WindowText(GetDlgItem(dialog, IDC_PICTUREPATH));
    PressButton(dialog, IDCANCEL);
    return instruction + "|" + shown;
}

TEST_F(OptionsDialogTest, CancellingTheFolderBrowserChangesNothing) {
    CopyPathText(PicturePath, "C:\\before");
    std::string seen;
    Run([](HWND dialog) { return Browse(dialog, false); }, &seen);
    EXPECT_EQ(seen, "Select the folder containing your favorite pictures:|C:\\before");
    EXPECT_STREQ(PicturePath, "C:\\before");
}

TEST_F(OptionsDialogTest, AFolderChosenInTheBrowserStaysAfterCancel) {
    CopyPathText(PicturePath, "C:\\before");
    Level = 2;
    std::string seen;
    Run([](HWND dialog) { return Browse(dialog, true); }, &seen);
    const std::string chosen = PicturePath;
    EXPECT_NE(chosen, "C:\\before");
    const DWORD attributes = GetFileAttributesA(chosen.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) << chosen;
    EXPECT_EQ(seen, "Select the folder containing your favorite pictures:|" + chosen);
    EXPECT_EQ(Level, 2);
}

} // namespace

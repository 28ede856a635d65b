// The Options dialog from the program's resources, run modally and answered on the same thread:
// a timer, which the dialog's own modal loop dispatches, reads the dialog and then presses.
#include <gtest/gtest.h>

#include "app/OptionsDialog.h"
#include "app/Settings.h"
#include "res/resource.h"
#include "tests/driver/Driver.h"

namespace {

std::vector<int> Presses; // in order; a press on a closed dialog does nothing
std::string Shown;        // the level radios checked, as "1005,", then the path shown

void CALLBACK Answer(HWND, UINT, UINT_PTR, DWORD) {
    static HWND answered = nullptr;
    HWND dialog = yw::WaitForDialog(GetCurrentProcessId(), "Yorewind", 0);
    if (dialog == nullptr || dialog == answered)
        return;
    answered = dialog;
    Shown.clear();
    for (int id = IDC_LEVEL_EASY; id <= IDC_LEVEL_VERYHARD; ++id)
        Shown += yw::IsChecked(dialog, id) ? std::to_string(id) + "," : "";
    Shown += "|" + yw::ItemText(dialog, IDC_PICTUREPATH);
    for (int id : Presses)
        yw::Press(dialog, id);
}

TEST(OptionsDialog, LevelAndFolder) {
    const struct {
        int Level;
        const char* Path;
        std::vector<int> Presses;
        const char* Shown;
        INT_PTR Result;
        int LevelAfter;
    } cases[] = {
        {2, "C:\\photos", {IDOK}, "1006,|C:\\photos", IDOK, 2},                         // the level checked
        {4, "C:\\photos", {IDC_LEVEL_HARD, IDOK}, "1008,|C:\\photos", IDOK, 3},         // OK takes the radio
        {1, "C:\\kept", {IDC_LEVEL_VERYHARD, IDCANCEL}, "1005,|C:\\kept", IDCANCEL, 1}, // Cancel keeps it
        {5, "C:\\kept", {IDOK}, "|C:\\kept", IDOK, 5},                                  // unknown, kept
        {1, "", {IDC_LEVEL_HARD, IDOK, IDCANCEL}, "1005,|", IDCANCEL, 3}, // no path: stays open, level taken
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, Answer);
    for (const auto& c : cases) {
        Level = c.Level;
        CopyPathText(PicturePath, c.Path);
        Presses = c.Presses;
        const INT_PTR result =
            DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_OPTIONS), nullptr, OptionsDlgProc, 0);
        EXPECT_EQ(Shown + " " + std::to_string(result) + " " + std::to_string(Level) + " " + PicturePath,
                  c.Shown + (" " + std::to_string(c.Result)) + " " + std::to_string(c.LevelAfter) + " " +
                      c.Path);
    }
    KillTimer(nullptr, timer);
    Level = 1;
}

} // namespace

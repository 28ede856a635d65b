// The Options dialog from the program's resources, run modally and answered on the same thread.
#include <gtest/gtest.h>

#include "app/OptionsDialog.h"
#include "app/Settings.h"
#include "res/resource.h"
#include "tests/win/WinTestSupport.h"

namespace {

// Which level radios are checked, as "1005,1007", then the path shown.
std::string Shown(HWND dialog) {
    std::string shown;
    for (int id = IDC_LEVEL_EASY; id <= IDC_LEVEL_VERYHARD; ++id)
        if (yw::IsChecked(dialog, id))
            shown += std::to_string(id) + ",";
    return shown + "|" + yw::ItemText(dialog, IDC_PICTUREPATH);
}

TEST(OptionsDialog, LevelAndFolder) {
    const struct {
        const char* Why;
        int Level;
        const char* Path;
        std::vector<int> Presses; // in order; a press on a closed dialog does nothing
        const char* Shown;
        INT_PTR Result;
        int LevelAfter;
    } cases[] = {
        {"the stored level is checked", 2, "C:\\photos", {IDOK}, "1006,|C:\\photos", IDOK, 2},
        {"OK takes the radio", 4, "C:\\photos", {IDC_LEVEL_HARD, IDOK}, "1008,|C:\\photos", IDOK, 3},
        {"Cancel keeps the level", 1, "C:\\kept", {IDC_LEVEL_VERYHARD, IDCANCEL}, "1005,|C:\\kept", IDCANCEL, 1},
        {"an unknown level survives OK", 5, "C:\\kept", {IDOK}, "|C:\\kept", IDOK, 5},
        {"an empty path keeps it open, the level taken", 1, "", {IDC_LEVEL_HARD, IDOK, IDCANCEL}, "1005,|",
         IDCANCEL, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Why);
        Level = c.Level;
        CopyPathText(PicturePath, c.Path);
        std::string shown;
        OnEachDialog answer([&](HWND dialog) {
            shown = Shown(dialog);
            for (int id : c.Presses)
                yw::Press(dialog, id);
        });
        EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS), nullptr,
                                  OptionsDlgProc, 0),
                  c.Result);
        EXPECT_EQ(shown, c.Shown);
        EXPECT_EQ(Level, c.LevelAfter);
        EXPECT_STREQ(PicturePath, c.Path);
    }
    Level = 1;
}

} // namespace

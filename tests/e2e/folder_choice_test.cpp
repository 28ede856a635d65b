// The ways to a picture folder beside typing one: the common folder picker behind Browse, a folder
// named on the command line, and one dropped on the board.
#include <filesystem>

#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

const char NotEnough[] = "No enough images in the folder. \nAdd more pictures or change to another folder";

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// The picker opens at the box's folder, so a name typed alone is found there. A folder whose path
// the settings cannot keep whole is refused with a message, and the box keeps what it had.
TEST_F(Journey, BrowseWithTheCommonPicker) {
    std::string nihon;
    for (int i = 0; i < 80; ++i)
        nihon += "\xE6\x97\xA5";
    const std::string inner = folder.File("inner"), deep = folder.File(nihon);
    for (const std::string& made : {inner, deep})
        std::filesystem::create_directory(std::filesystem::u8path(made));
    ASSERT_GT(deep.size(), 259u);
    ASSERT_TRUE(StartDealt(1));
    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    const HWND options = dialog;
    const struct {
        std::string Typed;
        int Button;
        const char* Refusal;
        std::string Box;
    } cases[] = {
        {deep, IDOK,
         "The path of this folder is too long for Yorewind to keep.\nPlease choose a folder with a shorter "
         "path.",
         folder.Path()},
        {"inner", IDOK, nullptr, inner},
    };
    for (const auto& c : cases) {
        yw::Press(options, IDC_BROWSE);
        const HWND picker =
            yw::WaitForDialog(game->Id(), "Select the folder containing your favorite pictures:");
        const HWND name = picker != nullptr ? yw::VisibleChild(picker, "Edit") : nullptr;
        ASSERT_TRUE(name != nullptr) << "no common picker with a box for the name, for " << c.Typed;
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.Typed.c_str()));
        yw::Press(picker, c.Button);
        ASSERT_TRUE(yw::WaitUntil([picker] { return !IsWindow(picker); })) << c.Typed << " not taken";
        if (c.Refusal != nullptr) {
            ASSERT_TRUE(Opened(0, "Yorewind. Error")) << "a path too long taken";
            EXPECT_EQ(yw::MessageText(dialog), c.Refusal);
            ASSERT_TRUE(Close(IDOK));
        }
        yw::Settle(options, 2);
        EXPECT_EQ(yw::ItemText(options, IDC_PICTUREPATH), c.Box) << c.Typed << " " << c.Button;
    }
    dialog = options;
    ASSERT_TRUE(Close(IDCANCEL));
}

// A folder named on the command line is dealt and kept, its last backslash before the closing quote
// too. One that is not a folder gets the not-enough message and Options, and the stored folder stays
// the one kept.
TEST_F(Journey, FolderOnTheCommandLine) {
    AddPictures(true);
    const yw::TempFolder empty;
    yw::WriteSettings(empty.Path(), 1);
    ASSERT_TRUE(Start(1, Quoted(folder.Path() + "\\")));
    ASSERT_TRUE(WaitBoard({})) << "the folder of the argument not dealt";
    ClickCell(0);
    EXPECT_TRUE(WaitBoard({0})) << "a card of another folder";
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(StoredLevel(1)) << "the folder of the argument not kept";

    ASSERT_TRUE(Start(1, Quoted(folder.File("missing"))));
    ASSERT_TRUE(Opened(0, "Yorewind. Error")) << "no message for a folder that is not there";
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no Options after a bad argument";
    EXPECT_EQ(yw::ItemText(dialog, IDC_PICTUREPATH), folder.Path());
    ASSERT_TRUE(Close(IDCANCEL));
    EXPECT_TRUE(StoredLevel(1)) << "a bad argument stored";
}

// A folder dropped on the board is scanned as the settings ask: the tree's six pictures at the top
// are too few, and the board stays as it was; with its subfolders, a picture dropped from its top
// means the tree, which is dealt at once and kept at exit.
TEST_F(Journey, FolderDroppedOnTheBoard) {
    const std::string tree = yw::ProgramFolder() + "\\picture-trees\\tree";
    ASSERT_TRUE(StartDealt(1));
    ClickCell(0);
    ASSERT_TRUE(WaitBoard({0}));
    ASSERT_TRUE(yw::DropFiles(window, {tree}));
    ASSERT_TRUE(Opened(0, "Yorewind. Error")) << "six pictures taken as enough";
    EXPECT_EQ(yw::MessageText(dialog), NotEnough);
    ASSERT_TRUE(Close(IDOK));
    EXPECT_TRUE(WaitBoard({0})) << "the board changed by a refused drop";

    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    yw::Press(dialog, IDC_SUBFOLDERS);
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(yw::DropFiles(window, {tree + "\\800000.bmp", folder.Path()}));
    Layout(1);
    EXPECT_TRUE(WaitBoard({})) << "no new deal from the dropped picture's folder";
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(game->EndedWell());
    EXPECT_EQ(yw::StoredSettings(), tree + " at level 1") << "the dropped folder not kept";
}

} // namespace

// Journeys of pictures the game's own decoders do not read, and of files built to stall a deal.
#include <chrono>

#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

namespace fs = std::filesystem;

// Four JPEGs, four HEICs and ten TIFFs (LZW and uncompressed, half of them turned by their tag), which
// only Windows' codecs read and only start-up's list of their extensions finds: a whole round at
// level 4 shows each of the 18 pictures on a pair of cards.
TEST_F(Journey, TiffsHeicsAndJpegsDealtWholeAtLevel4) {
    for (const std::string from : {"test-pictures", "tiff-pictures", "heif-pictures"}) {
        for (const auto& made : fs::directory_iterator(yw::ProgramFolder() + "\\" + from)) {
            const std::string name = made.path().filename().string(), type = made.path().extension().string();
            // Named by their colour: "c04000-LZW-TopLeft.tif", "804000.heic".
            const bool coloured = name.find_first_not_of("0123456789abcdef") == 6;
            if ((type == ".jpg" || type == ".heic" || type == ".tif") && coloured) {
                CopyIn(from + "\\" + name, name);
                colours.push_back(std::stoul(name, nullptr, 16));
            }
        }
    }
    ASSERT_EQ(colours.size(), 18u);
    yw::WriteSettings(folder.Path(), 4);
    ASSERT_TRUE(Start(4) && WaitBoard({}));
    const int tries = PlayRound();
    ASSERT_GE(tries, 0) << "the board did not show what the clicks did";
    EXPECT_EQ(PicturesSeen(), 18u) << "not every picture dealt";
    Answer(tries, IDNO);
}

// Closing the window or Exit while a deal decodes ends the game at once (code 0, settings stored):
// the next deal, decoded ahead of a board of large pictures, the workers stopped after their
// picture; and a first deal of 18 slow pictures (seconds each, and a folder of nothing else deals
// them all), the workers leaving them part-way.
TEST_F(Journey, ClosingTheWindowWhileADealDecodes) {
    colours = {0x4080c0}; // the large picture's
    for (const std::string picture : {"large-picture.png", "slow-picture.jpg"}) {
        const int level = picture[0] == 'l' ? 1 : 4;
        for (int i = 0; i < 18; ++i)
            CopyIn(picture, std::to_string(i) + picture.substr(picture.size() - 4));
        for (const int command : {0, IDM_EXIT}) {
            yw::WriteSettings(folder.Path(), level);
            ASSERT_TRUE(Start(level) && (level == 4 || WaitBoard({})));
            const auto begin = std::chrono::steady_clock::now();
            PostMessageA(window, command == 0 ? WM_CLOSE : WM_COMMAND, command, 0);
            EXPECT_TRUE(StoredLevel(level))
                << "still running, crashed or nothing stored: " << picture << command;
            EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 5.0)
                << picture << " " << command;
        }
        for (const auto& file : fs::directory_iterator(fs::u8path(folder.Path())))
            fs::remove(file.path());
    }
}

} // namespace

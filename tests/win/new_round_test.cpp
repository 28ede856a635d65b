// Dealing real pictures on the real device: files that do not decode give way to good ones, and a
// device reset, or another size and back, brings the board back from the pixels each card kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "board/CardPictures.h"
#include "board/DealPictures.h"
#include "board/DeviceRecovery.h"
#include "board/NewRound.h"
#include "board/RenderBoard.h"
#include "engine/Graphics.h"
#include "rules/CellGeometry.h"
#include "rules/GameState.h"
#include "tests/win/WinTestSupport.h"

namespace {

// What the back buffer shows at the centre of every card.
std::vector<uint32_t> ShownBoard() {
    std::vector<uint32_t> shown;
    for (int cell = 0; cell < Rows * Columns; ++cell) {
        const PixelRect card =
            CardRect({Columns, Rows, BackBufferWidth, BackBufferHeight}, cell / Rows, cell % Rows);
        shown.push_back(BackBufferPixel((card.Left + card.Right) / 2, (card.Top + card.Bottom) / 2));
    }
    return shown;
}

std::vector<uint32_t> RevealedBoard() {
    RenderReveal();
    return ShownBoard();
}

// The middle of each card's own kept picture, cell by cell as RevealedBoard reads them.
std::vector<uint32_t> KeptPicturesOfBoard() {
    std::vector<uint32_t> kept;
    for (int cell = 0; cell < Rows * Columns; ++cell) {
        const KeptPicture& picture = KeptPictures[Board[cell / Rows][cell % Rows]];
        kept.push_back(picture.Pixels.empty() ? 0 : picture.Pixels[picture.Height / 2 * picture.Width + picture.Width / 2]);
    }
    return kept;
}

TEST(NewRound, NoBlankCardWhileGoodPicturesRemainAndTheBoardSurvivesAReset) {
    ScopedGame game;
    yw::TempFolder folder;
    // The build's 18 pictures, of distinct colours, each with two files that do not decode (one
    // cut short, one empty): the deal's shuffle all but surely puts some among the first eight.
    PictureList.clear();
    for (const auto& picture : std::filesystem::directory_iterator(yw::ProgramFolder() + "\\test-pictures")) {
        const std::string bad = folder.File(std::to_string(PictureList.size()));
        std::ofstream(bad + ".jpg") << "\xFF\xD8\xFF\xE0 cut short";
        std::ofstream(bad + ".png");
        PictureList.insert(PictureList.end(), {picture.path().string(), bad + ".jpg", bad + ".png"});
    }
    Level = 1;
    NewRound();
    const std::vector<uint32_t> dealt = RevealedBoard();
    EXPECT_EQ(std::set<uint32_t>(dealt.begin(), dealt.end()).count(0), 0u); // black: a blank card
    EXPECT_EQ(std::set<uint32_t>(dealt.begin(), dealt.end()).size(), 8u);
    ASSERT_TRUE(RebuildDevice());
    EXPECT_EQ(RevealedBoard(), dealt);
    // To a size made ahead and back, as to the full screen and back: cards made for each size, the
    // window's surfaces kept meanwhile.
    PrepareBoardSurfaces(1600, 1000);
    for (const SIZE size : {SIZE{1600, 1000}, SIZE{BackBufferWidth, BackBufferHeight}}) {
        ASSERT_TRUE(ResizeBoardSurfaces(size.cx, size.cy));
        RemakeStaleCards();
        EXPECT_EQ(RevealedBoard(), KeptPicturesOfBoard()) << size.cx;
    }
    EXPECT_EQ(RevealedBoard(), dealt);

    // The next deal prepared while this board shows: the same board as a deal that decodes
    // itself from the same seed and list, at this level and at another one.
    for (const int level : {1, 4}) {
        const std::vector<std::string> list = PictureList;
        PrepareNextRoundIfWanted();
        PreparedDeal prepared;
        ASSERT_TRUE(TakePreparedDeal(PictureList, 18, PictureFit::Stretch, PairKind::Twins, &prepared));
        Level = level;
        DealRound(prepared.Seed, &prepared);
        const std::vector<uint32_t> fromPrepared = RevealedBoard();
        // Cards of the last deal's size take its surfaces: each shows its own picture.
        EXPECT_EQ(fromPrepared, KeptPicturesOfBoard()) << level;
        const std::vector<int> board(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide);
        PictureList = list;
        DealRound(prepared.Seed, nullptr);
        EXPECT_EQ(RevealedBoard(), fromPrepared) << level;
        EXPECT_EQ(std::vector<int>(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide), board) << level;
    }
    PictureList.clear();
}

// A deal drawn over the last deal's frame redraws only the cells that look otherwise: pair 1 found
// at the same places in a deal of other pictures shows the new pictures there.
TEST(NewRound, AFewCardsFaceUpOverTheLastDealShowTheNewDealsPictures) {
    ScopedGame game;
    PictureList.clear();
    for (const auto& picture : std::filesystem::directory_iterator(yw::ProgramFolder() + "\\test-pictures"))
        PictureList.push_back(picture.path().string());
    Level = 1;
    std::vector<uint32_t> before;
    std::vector<int> dealt;
    for (int deal = 0; deal < 2; ++deal) {
        // The same seed deals the same board; the list the other way round, other pictures on it.
        std::reverse(PictureList.begin(), PictureList.end());
        DealRound(7, nullptr);
        const std::vector<int> board(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide);
        EXPECT_TRUE(dealt.empty() || board == dealt);
        dealt = board;
        for (int cell = 0; cell < Rows * Columns; ++cell)
            FaceUp[cell / Rows][cell % Rows] = Board[cell / Rows][cell % Rows] == 1;
        RenderBoard();
        std::vector<uint32_t> shown = ShownBoard(), expected = KeptPicturesOfBoard();
        for (int cell = 0; cell < Rows * Columns; ++cell) {
            if (Board[cell / Rows][cell % Rows] != 1)
                shown[cell] = expected[cell] = 0;
        }
        EXPECT_EQ(shown, expected) << deal;
        EXPECT_NE(shown, before);
        before = shown;
    }
    PictureList.clear();
}

} // namespace

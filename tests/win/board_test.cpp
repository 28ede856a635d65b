// Deals, draws and plays on a real device and window: the board is read back pixel by pixel and
// the end-of-round question is answered from a second thread.
#include <gtest/gtest.h>

#include <map>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "engine/ImageS.h"
#include "game/CellGeometry.h"
#include "game/GameState.h"
#include "game/NewRound.h"
#include "game/OnCellClick.h"
#include "game/RenderBoard.h"
#include "tests/win/WinTestSupport.h"

namespace {

const uint32_t CardBack = 0xC483FF;
const uint32_t Black = 0x000000;
const char* const Question = "You Made it in %d Tries.\nRecall old lovely Days?\nDo it Again?";

// Eighteen solid colours, far from the card back, from black and from each other.
const uint32_t PictureColors[18] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF8000,
                                    0x008000, 0x800000, 0x000080, 0x808000, 0x008080, 0xFFFFFF,
                                    0x80FF80, 0xFF80C0, 0x804000, 0x406000, 0xC0C0C0, 0x0080FF};

class BoardTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(D3DDevice, nullptr);
        for (int i = 0; i < 18; ++i) {
            const std::string path = folder.File("p" + std::to_string(i) + ".bmp");
            WriteSolidBmp(path, 40, 30, PictureColors[i]);
            PictureList.push_back(path);
            colorOf[path] = PictureColors[i];
        }
    }

    void Deal(int level) {
        Level = level;
        NewRound();
    }

    uint32_t ColorOfNumber(int number) const { return colorOf.at(PictureList[number - 1]); }

    // The centre of the part of a card that lies inside the back buffer.
    static POINT CardCentre(int column, int row) {
        const PixelRect rect = CellRect(column, row, CellWidth, CellHeight);
        return {(rect.Left + std::min(rect.Right, 800)) / 2, (rect.Top + std::min(rect.Bottom, 600)) / 2};
    }

    void ExpectCells(const BackBufferPixels& pixels,
                     const std::function<uint32_t(int, int)>& expected) const {
        for (int column = 0; column < Columns; ++column) {
            for (int row = 0; row < Rows; ++row) {
                const POINT centre = CardCentre(column, row);
                EXPECT_EQ(pixels.At(centre.x, centre.y), expected(column, row))
                    << "cell " << column << "," << row << " showing number " << Board[column][row];
                // The gap left of and above every card stays background.
                EXPECT_EQ(pixels.At(column * CellWidth + 1, centre.y), Black) << "gap left of " << column;
                EXPECT_EQ(pixels.At(centre.x, row * CellHeight + 1), Black) << "gap above " << row;
            }
        }
    }

    // Clicks the cell through the window, as a mouse press does.
    void Click(int column, int row) const {
        RECT client;
        GetClientRect(game.Window(), &client);
        const int pitchX = client.right / Columns + 4;
        const int pitchY = client.bottom / Rows + 4;
        SendMessageA(game.Window(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(column * pitchX + pitchX / 2, row * pitchY + pitchY / 2));
    }

    Cell OtherCellOf(const Cell& cell) const {
        for (int column = 0; column < Columns; ++column)
            for (int row = 0; row < Rows; ++row)
                if (Board[column][row] == Board[cell.Column][cell.Row] &&
                    (column != cell.Column || row != cell.Row))
                    return {column, row};
        return NoCell;
    }

    // Finds every pair but the last; returns the last pair's two cells.
    std::pair<Cell, Cell> PlayAllButTheLastPair() {
        std::pair<Cell, Cell> last;
        for (int number = 1; number <= PairCount(); ++number) {
            Cell cells[2];
            int found = 0;
            for (int column = 0; column < Columns; ++column)
                for (int row = 0; row < Rows; ++row)
                    if (Board[column][row] == number)
                        cells[found++] = {column, row};
            if (number == PairCount()) {
                last = {cells[0], cells[1]};
            } else {
                Click(cells[0].Column, cells[0].Row);
                Click(cells[1].Column, cells[1].Row);
            }
        }
        return last;
    }

    ScopedGame game;
    ScopedTempFolder folder;
    std::map<std::string, uint32_t> colorOf;
};

TEST_F(BoardTest, AfterADealEveryDealtCellShowsTheCardBack) {
    for (int level = 1; level <= 4; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        Deal(level);
        ASSERT_NE(CardImages[0], nullptr);
        for (int number = 1; number < CardImageCount; ++number)
            EXPECT_EQ(CardImages[number] != nullptr, number <= PairCount()) << "image " << number;
        FillBackBuffer(0x123456);
        RenderBoard();
        BackBufferPixels pixels;
        ExpectCells(pixels, [](int, int) { return CardBack; });
        // The 4-pixel margin along the top and left edges is background.
        EXPECT_EQ(pixels.At(2, 2), Black);
        EXPECT_EQ(pixels.At(400, 1), Black);
    }
}

TEST_F(BoardTest, PickedAndFoundCellsShowTheirPictures) {
    Deal(2);
    const Cell first = {0, 0};
    const Cell partner = OtherCellOf(first);
    Cell stranger = {1, 1};
    while (Board[stranger.Column][stranger.Row] == Board[first.Column][first.Row])
        stranger.Row = (stranger.Row + 1) % Rows;

    Click(first.Column, first.Row);
    Click(stranger.Column, stranger.Row); // a miss: both stay up
    RenderBoard();
    BackBufferPixels miss;
    ExpectCells(miss, [&](int column, int row) {
        const bool up = (column == first.Column && row == first.Row) ||
                        (column == stranger.Column && row == stranger.Row);
        return up ? ColorOfNumber(Board[column][row]) : CardBack;
    });

    Click(partner.Column, partner.Row); // turns the missed pair back, turns nothing up
    Click(first.Column, first.Row);
    Click(partner.Column, partner.Row); // found
    RenderBoard();
    BackBufferPixels found;
    ExpectCells(found, [&](int column, int row) {
        return FaceUp[column][row] ? ColorOfNumber(Board[column][row]) : CardBack;
    });
    EXPECT_EQ(Tries, 2);
    EXPECT_EQ(PairsFound, 1);
}

TEST_F(BoardTest, RevealShowsEveryPictureWhateverIsFound) {
    for (int level = 1; level <= 4; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        Deal(level);
        RenderReveal();
        BackBufferPixels pixels;
        ExpectCells(pixels, [&](int column, int row) { return ColorOfNumber(Board[column][row]); });
    }
}

TEST_F(BoardTest, TheLastPairAsksOnceAndYesDealsAFreshBoard) {
    Deal(1);
    const auto last = PlayAllButTheLastPair();
    EXPECT_EQ(Tries, 7);

    auto answer = OnDialog("Yorewind", [](HWND box) {
        const std::string text = MessageBoxText(box);
        PressButton(box, IDYES);
        return text;
    });
    Click(last.first.Column, last.first.Row);
    Click(last.second.Column, last.second.Row);
    char expected[128];
    wsprintfA(expected, Question, 8);
    EXPECT_EQ(answer.get(), expected);

    EXPECT_EQ(Tries, 0);
    EXPECT_EQ(PairsFound, 0);
    EXPECT_TRUE(IsNone(FirstPick));
    for (int column = 0; column < Columns; ++column)
        for (int row = 0; row < Rows; ++row)
            EXPECT_EQ(FaceUp[column][row], 0);
}

TEST_F(BoardTest, NoLeavesTheRevealedBoardAndLaterClicksChangeNothing) {
    Deal(1);
    const auto last = PlayAllButTheLastPair();
    auto answer = OnDialog("Yorewind", [](HWND box) {
        PressButton(box, IDNO);
        return MessageBoxText(box);
    });
    Click(last.first.Column, last.first.Row);
    Click(last.second.Column, last.second.Row);
    EXPECT_NE(answer.get().find("You Made it in 8 Tries."), std::string::npos);

    // Nothing has drawn since the reveal, which the question box held on screen.
    BackBufferPixels reveal;
    ExpectCells(reveal, [&](int column, int row) { return ColorOfNumber(Board[column][row]); });

    // A second question would block here, so a watchman answers any box and reports it.
    auto unexpected = OnDialog("Yorewind", [](HWND box) {
        PressButton(box, IDNO);
        return std::string("asked again");
    });
    for (int column = 0; column < Columns; ++column)
        for (int row = 0; row < Rows; ++row)
            Click(column, row);
    EXPECT_EQ(Tries, 8);
    EXPECT_EQ(PairsFound, 8);
    EXPECT_TRUE(IsNone(FirstPick));
    EXPECT_EQ(unexpected.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
    // Release the watchman: a box of our own that it answers.
    MessageBoxA(nullptr, "done", "Yorewind", MB_YESNO);
    EXPECT_EQ(unexpected.get(), "asked again");
}

TEST_F(BoardTest, DealLaysTheGridOutOnAtMostTheBackBuffer) {
    const auto dealOnClient = [this](int width, int height, int level) {
        RECT frame = {0, 0, width, height};
        AdjustWindowRectEx(&frame, GetWindowLongA(game.Window(), GWL_STYLE), TRUE,
                           GetWindowLongA(game.Window(), GWL_EXSTYLE));
        SetWindowPos(game.Window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(game.Window(), &client);
        EXPECT_EQ(client.right, width);
        EXPECT_EQ(client.bottom, height);
        Deal(level);
    };
    // A client of 788 by 588 keeps its own numbers: the grid fills the back buffer exactly.
    dealOnClient(788, 588, 3);
    EXPECT_EQ(CellWidth, 160);
    EXPECT_EQ(CellHeight, 100);

    // Maximised: a client larger than the back buffer lays out as 800 by 600.
    dealOnClient(1200, 900, 1);
    EXPECT_EQ(CellWidth, 203);
    EXPECT_EQ(CellHeight, 153);

    // Minimised: an empty client lays out as 800 by 600 too.
    ShowWindow(game.Window(), SW_SHOWMINNOACTIVE);
    RECT client;
    GetClientRect(game.Window(), &client);
    ASSERT_EQ(client.right * client.bottom, 0);
    Deal(4);
    EXPECT_EQ(CellWidth, 135);
    EXPECT_EQ(CellHeight, 102);
}

TEST_F(BoardTest, PointsOutsideTheClientAreIgnored) {
    Deal(4);
    RECT client;
    GetClientRect(game.Window(), &client);
    const POINT outside[] = {{client.right, 0}, {0, client.bottom}, {65535, 65535}, {client.right + 40, 10}};
    for (const POINT& point : outside)
        OnCellClick(point.x, point.y);
    EXPECT_TRUE(IsNone(FirstPick));
    EXPECT_EQ(Tries, 0);
    OnCellClick(client.right - 1, client.bottom - 1);
    EXPECT_EQ(FirstPick.Column, 5);
    EXPECT_EQ(FirstPick.Row, 5);
}

} // namespace

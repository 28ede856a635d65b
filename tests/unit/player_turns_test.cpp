#include "game/PlayerTurns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Level 1 with cell (c, r) carrying picture 2c + r / 2 + 1: (c, 0) and (c, 1) are a pair.
void Deal(int players) {
    Rows = Columns = 4;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            Board[c][r] = 2 * c + r / 2 + 1;
            FaceUp[c][r] = 0;
        }
    FirstPick = SecondPick = NoCell;
    Tries = PairsFound = 0;
    Round.Starter = -1;
    StartPlayersRound(&Round, players);
}

void Click(const Cell& cell) {
    FollowTry(&Round, ApplyClick(cell), Board[cell.Column][cell.Row]);
}

// "turn/scores/up": whose turn, every score, and whether a card is up after the clicks.
std::string State() {
    std::string state = std::to_string(Round.Turn) + "/";
    for (int p = 0; p < Round.Count; ++p)
        state += std::to_string(Round.Scores[p]);
    return state + (IsNone(FirstPick) ? "/down" : "/up");
}

const Cell A = {0, 0}, AMate = {0, 1}, B = {1, 0}, BMate = {1, 1}, C = {2, 0};

// A match keeps the turn and scores for its player; a miss passes the turn at once, and the next
// player's first click only turns the pair back; the last player's miss comes round to the first.
TEST(PlayerTurns, TurnsAndScores) {
    const struct {
        int Players;
        std::vector<Cell> Clicks;
        const char* After;
        int Tries;
    } cases[] = {
        {2, {A, AMate}, "0/10/down", 1},              // a match keeps the turn
        {2, {A, AMate, B, BMate}, "0/20/down", 2},    // and again
        {2, {A, B}, "1/00/up", 1},                    // a miss passes it, the pair still up
        {2, {A, B, C}, "1/00/down", 1},               // the next one's click turns nothing up
        {2, {A, B, C, A, AMate}, "1/01/down", 2},     // then that player scores
        {2, {A, B, B, A, C}, "0/00/up", 2},           // a miss by the second comes back to the first
        {3, {A, B, C, A, C, B, C, A}, "0/000/up", 3}, // three misses go round three players
        {4, {A, B, C, B, BMate}, "1/0100/down", 2},   // the second of four scores
        {1, {A, B, C, A, AMate}, "0/1/down", 2},      // one player keeps every turn
    };
    for (const auto& c : cases) {
        Deal(c.Players);
        for (const Cell& cell : c.Clicks)
            Click(cell);
        EXPECT_EQ(State(), c.After) << &c - cases;
        EXPECT_EQ(Tries, c.Tries) << &c - cases;
    }
    Deal(2);
    for (const Cell& cell : {A, B, C, B, BMate})
        Click(cell);
    EXPECT_EQ(Round.Finders[Board[B.Column][B.Row]], 1);
    EXPECT_EQ(Round.Finders[Board[A.Column][A.Row]], -1);
}

// Each round is started by the player after the last round's starter; a count out of range is one.
TEST(PlayerTurns, StartersRotate) {
    Round.Starter = -1;
    std::string starters;
    for (int count : {3, 3, 3, 3, 2, 4, 4, 0, 9})
        StartPlayersRound(&Round, count), starters += std::to_string(Round.Turn);
    EXPECT_EQ(starters, "012012300");
    Round.Scores[0] = 3;
    StartPlayersRound(&Round, 2);
    EXPECT_EQ(Round.Scores[0], 0);
}

// The question: one player's tries; two players' winner or tie; three or four with every score.
TEST(PlayerTurns, EndTextAndLeaders) {
    const struct {
        int Players;
        std::vector<int> Scores;
        EndText Text;
        std::vector<int> Leaders;
    } cases[] = {
        {1, {8}, EndText::Solo, {0}},
        {2, {5, 3}, EndText::Winner, {0}},
        {2, {3, 5}, EndText::Winner, {1}},
        {2, {4, 4}, EndText::Tie, {0, 1}},
        {3, {2, 5, 3}, EndText::WinnerMany, {1}},
        {3, {4, 4, 2}, EndText::TieMany, {0, 1}},
        {4, {1, 3, 1, 3}, EndText::TieMany, {1, 3}},
        {4, {0, 0, 0, 8}, EndText::WinnerMany, {3}},
    };
    for (const auto& c : cases) {
        StartPlayersRound(&Round, c.Players);
        for (int p = 0; p < c.Players; ++p)
            Round.Scores[p] = c.Scores[p];
        EXPECT_EQ(ChooseEndText(Round), c.Text) << &c - cases;
        EXPECT_EQ(Leaders(Round), c.Leaders) << &c - cases;
    }
}

} // namespace

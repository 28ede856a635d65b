#include "rules/TryRules.h"
#include "rules/PlayerTurns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "tests/unit/InOrderDeal.h"

namespace {

// The deal in order; a round of that many players, calm or not.
void DealInOrder(int players = 1, bool calm = false) {
    DealCardsInOrder(calm);
    Round.Starter = -1;
    StartPlayersRound(&Round, players);
}

// The cues ("TM" is Turn then Match, X a miss) and "!" when the round ended; the players' round
// follows the try.
std::string Press(const Cell& cell) {
    const ClickOutcome outcome = ApplyClick(cell);
    FollowTry(&Round, outcome, Board[cell.Column][cell.Row]);
    std::string cues;
    for (int i = 0; i < outcome.CueCount; ++i)
        cues += "TMXC"[static_cast<int>(outcome.Cues[i])];
    return cues + (outcome.RoundEnded ? "!" : "");
}

// At level 1: A and its mate share a picture; B, C and the pair F, F2 have pictures of their own.
const Cell A = {0, 0}, AMate = {0, 1}, B = {1, 0}, BMate = {1, 1}, C = {2, 0}, F = {3, 0}, F2 = {3, 1};

using State = std::tuple<std::string, int, int, int, int, int, int>; // cues, picks, tries, pairs

TEST(TryRules, EachTransitionWithItsCues) {
    const struct {
        std::vector<Cell> Before;
        Cell Click;
        State After;
    } transitions[] = {
        {{F, F2}, F, {"", -1, -1, -1, -1, 1, 1}},    // no card up, a found card
        {{F, F2, A}, F2, {"", 0, 0, -1, -1, 1, 1}},  // one card up, a found card
        {{F, F2, A, B}, F, {"", 0, 0, 1, 0, 2, 1}},  // two cards up, a found card
        {{}, A, {"T", 0, 0, -1, -1, 0, 0}},          // no card up
        {{A}, A, {"", 0, 0, -1, -1, 0, 0}},          // one card up, the same card
        {{A}, AMate, {"TM", -1, -1, -1, -1, 1, 1}},  // one card up, the same picture
        {{A}, B, {"TX", 0, 0, 1, 0, 1, 0}},          // one card up, another picture
        {{A, B}, A, {"", 0, 0, 1, 0, 1, 0}},         // a miss up, its first card
        {{A, B}, B, {"", -1, -1, -1, -1, 1, 0}},     // a miss up, its second card
        {{A, B}, C, {"", -1, -1, -1, -1, 1, 0}},     // a miss up, a face-down card
        {{A, B}, AMate, {"", -1, -1, -1, -1, 1, 0}}, // a miss up, the first card's mate
    };
    for (const auto& t : transitions) {
        DealInOrder();
        for (const Cell& cell : t.Before)
            Press(cell);
        const std::string cues = Press(t.Click);
        EXPECT_EQ(State(cues, FirstPick.Column, FirstPick.Row, SecondPick.Column, SecondPick.Row, Tries,
                        PairsFound),
                  t.After)
            << &t - transitions;
    }
}

// "turn/scores/up": whose turn, every score, and whether a card is up after the clicks.
std::string Turns() {
    std::string state = std::to_string(Round.Turn) + "/";
    for (int p = 0; p < Round.Count; ++p)
        state += std::to_string(Round.Scores[p]);
    return state + (IsNone(FirstPick) ? "/down" : "/up");
}

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
        {2, {A, B}, "1/00/up", 1},                    // a miss passes it, the pair still up
        {2, {A, B, C, A, AMate}, "1/01/down", 2},     // then that player scores
        {2, {A, B, B, A, C}, "0/00/up", 2},           // a miss by the second comes back to the first
        {3, {A, B, C, A, C, B, C, A}, "0/000/up", 3}, // three misses go round three players
        {4, {A, B, C, B, BMate}, "1/0100/down", 2},   // the second of four scores
        {1, {A, B, C, A, AMate}, "0/1/down", 2},      // one player keeps every turn
    };
    for (const auto& c : cases) {
        DealInOrder(c.Players);
        for (const Cell& cell : c.Clicks)
            Press(cell);
        EXPECT_EQ(Turns(), c.After) << &c - cases;
        EXPECT_EQ(Tries, c.Tries) << &c - cases;
    }
    DealInOrder(2);
    for (const Cell& cell : {A, B, C, B, BMate})
        Press(cell);
    EXPECT_EQ(Round.Finders[Board[B.Column][B.Row]], 1);
    EXPECT_EQ(Round.Finders[Board[A.Column][A.Row]], -1);
}

// A calm round counts nothing and names no winner, yet the turn still passes on a miss, a finder is
// kept for the found frame's colour, and only the miss is silent.
TEST(PlayerTurns, CalmRoundCountsNothing) {
    DealInOrder(2, true);
    for (const Cell& cell : {A, B, C, A, AMate})
        Press(cell);
    EXPECT_EQ(Turns(), "1/00/down");
    EXPECT_EQ(Tries, 0);
    EXPECT_EQ(PairsFound, 1);
    EXPECT_EQ(Round.Finders[Board[A.Column][A.Row]], 1);
    EXPECT_EQ(ChooseEndText(Round), EndText::Calm);
    std::string heard;
    for (Cue cue : {Cue::Turn, Cue::Match, Cue::Miss, Cue::Complete})
        heard += CueHeard(cue) ? "TMXC"[static_cast<int>(cue)] : '-';
    EXPECT_EQ(heard, "TM-C");
    DealInOrder(1);
    EXPECT_TRUE(CueHeard(Cue::Miss));
    EXPECT_EQ(ChooseEndText(Round), EndText::Solo);
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

} // namespace

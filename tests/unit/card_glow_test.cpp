#include "rules/CardGlow.h"
#include "rules/StatusParts.h"
#include "rules/TurnBackTiming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "tests/unit/InOrderDeal.h"

namespace {

// The deal in order (InOrderDeal.h), its cards by letter: a and A a pair, b and B.
Cell At(char card) {
    const int column = std::tolower(card) - 'a';
    return {column, card == std::tolower(card) ? 0 : 1};
}

// Plays the clicks, each as the board's input would (the try's rules, then the seen cards), on a
// fresh deal; returns the glowing cards' letters.
std::string GlowAfter(const std::string& clicks, bool calm = true) {
    DealCardsInOrder(calm);
    ForgetSeenCards();
    for (char card : clicks) {
        const ClickOutcome outcome = ApplyClick(At(card));
        FollowSeenCard(At(card), outcome);
    }
    std::string glowing;
    for (char card : std::string("aAbBcCdD"))
        glowing += Glowing(At(card)) ? std::string(1, card) : "";
    return glowing;
}

// A card turned up again once its partner was seen lights the partner until the pair is found;
// a first sight, a card whose partner nobody saw, clicks that turn nothing up, or a round not calm
// light nothing. (A miss is turned back by a click on its second card, as the timer does.)
TEST(CardGlow, LightsASeenPartnerOnASecondTurn) {
    const struct {
        const char* Clicks;
        const char* Glowing;
        bool Calm;
    } cases[] = {
        {"abbAcc", "", true},      // a and A each seen once
        {"abbaccb", "", true},     // a turned again, A never seen
        {"abbaccA", "", true},     // A seen only after a's second turn
        {"abbAccac", "A", true},   // a turned again after A was seen
        {"abbAccacc", "A", true},  // the miss turned back: still lit
        {"abbAccaA", "", true},    // the pair found: out
        {"Abbaaccb", "", true},    // a's second click of one try turns nothing up
        {"abbAccA", "a", true},    // the other way round
        {"abbAccac", "", false},   // not calm
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlowAfter(c.Clicks, c.Calm), c.Glowing) << c.Clicks;
    GlowAfter("abbAccac");
    ForgetSeenCards();
    EXPECT_FALSE(Glowing(At('A'))) << "a new deal forgets what was seen";
    CalmRound = false;
}

// The bar: calm play shows one text, the pairs (after the turn where several play), and no time.
TEST(StatusParts, CalmShowsOnePartAndNoTime) {
    const struct {
        int Players;
        bool Calm;
        StatusKind Kind;
        int Parts, Time;
    } cases[] = {
        {1, false, StatusKind::SoloCounts, 3, 2},        {3, false, StatusKind::PlayerScores, 5, 4},
        {1, true, StatusKind::CalmPairs, 1, -1},         {2, true, StatusKind::CalmTurnAndPairs, 1, -1},
        {4, true, StatusKind::CalmTurnAndPairs, 1, -1},
    };
    for (const auto& c : cases) {
        const StatusKind kind = ChooseStatus(c.Players, c.Calm);
        EXPECT_EQ(kind, c.Kind) << c.Players << c.Calm;
        EXPECT_EQ(StatusPartCount(kind, c.Players), c.Parts) << c.Players << c.Calm;
        EXPECT_EQ(TimePart(kind, c.Players), c.Time) << c.Players << c.Calm;
    }
}

// A calm miss waits 4 s from when it showed, however early the timer ticks; nothing waits without one.
TEST(TurnBackTiming, FourSecondsAfterTheMiss) {
    const struct {
        bool MissUp;
        uint64_t Since, Now;
        bool Waits;
        uint32_t Delay;
    } cases[] = {
        {false, 1000, 9000, false, 0}, {true, 1000, 1000, true, 4000}, {true, 1000, 4000, true, 1000},
        {true, 1000, 4990, true, 0},   {true, 1000, 5000, true, 0},    {true, 1000, 60000, true, 0},
        {true, 5000, 1000, true, 4000}, {true, 0xFFFFFFFF00ull, 0xFFFFFFFF00ull + 3999, true, 0},
    };
    for (const auto& c : cases) {
        const TurnBackStep step = NextTurnBack(c.MissUp, c.Since, c.Now);
        EXPECT_EQ(step.Waits, c.Waits) << c.Since << " " << c.Now;
        EXPECT_EQ(step.DelayMs, c.Delay) << c.Since << " " << c.Now;
    }
}

} // namespace

#include "rules/Statistics.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

using Record = std::tuple<uint32_t, uint32_t, uint64_t>;
Record Of(const LevelRecord& r) {
    return Record(r.Rounds, r.Fewest, r.Tries);
}

// Rounds add up, the fewest is kept, the average rounds to tenths; counters stop at their top.
TEST(Statistics, SoloRounds) {
    LevelRecord record = {0, 0, 0};
    for (uint32_t tries : {12u, 9u, 15u})
        record = AddSoloRound(record, tries);
    EXPECT_EQ(Of(record), Record(3, 9, 36));
    EXPECT_EQ(AverageTenths(record), 120u);
    EXPECT_EQ(AverageTenths(AddSoloRound(record, 13)), 123u); // 49 / 4 = 12.25
    EXPECT_EQ(AverageTenths({3, 8, 26}), 87u);                // 8.67
    EXPECT_EQ(AverageTenths({0, 0, 0}), 0u);
    const uint32_t most = std::numeric_limits<uint32_t>::max();
    const uint64_t total = std::numeric_limits<uint64_t>::max();
    EXPECT_EQ(Of(AddSoloRound({most, 8, total - 3}, 10)), Record(most, 8, total));
    EXPECT_EQ(AverageTenths({most, 8, total}), (total / most) * 10 + 0);
}

// A stored record no rounds of the level could leave reads as zero; a sound one is kept.
TEST(Statistics, DamagedRecordsReadAsZero) {
    const struct {
        LevelRecord Stored;
        int Pairs;
        Record Read;
    } cases[] = {
        {{2, 8, 20}, 8, Record(2, 8, 20)}, {{1, 8, 8}, 8, Record(1, 8, 8)},
        {{0, 8, 20}, 8, Record(0, 0, 0)}, // tries without rounds
        {{2, 0, 20}, 8, Record(0, 0, 0)}, // no fewest
        {{2, 7, 20}, 8, Record(0, 0, 0)}, // fewer tries than pairs
        {{3, 8, 20}, 8, Record(0, 0, 0)}, // a total below three rounds of the fewest
        {{2, 8, 20}, 0, Record(0, 0, 0)}, // no such level
    };
    for (const auto& c : cases)
        EXPECT_EQ(Of(CheckedLevelRecord(c.Stored, c.Pairs)), c.Read) << &c - cases;
}

// Every leader's name wins once a round, the same name twice once; the top ten, ties by name.
TEST(Statistics, WinsAndTheTopTen) {
    std::vector<WinRecord> wins = {{L"Zoe", 3}, {L"Nobody", 0}};
    AddWins(&wins, {L"Ann", L"Bob"});
    AddWins(&wins, {L"Ann", L"Ann"});
    AddWins(&wins, {L"\u0141\u00f3d\u017a"});
    std::wstring order;
    for (const WinRecord& w : TopWinners(wins, 10))
        order += w.Name + L"=" + std::to_wstring(w.Wins) + L" ";
    EXPECT_EQ(order, L"Zoe=3 Ann=2 Bob=1 \u0141\u00f3d\u017a=1 ");
    for (int i = 0; i < 12; ++i)
        wins.push_back({L"P" + std::to_wstring(i), 2});
    EXPECT_EQ(TopWinners(wins, 10).size(), 10u);
    EXPECT_EQ(TopWinners(wins, 10)[1].Name, L"Ann");
}

// A best time below a second per pair (or none) reads as none; any round beats none.
TEST(Statistics, BestTimes) {
    const struct {
        uint32_t Stored;
        int Pairs;
        uint32_t Read;
    } cases[] = {{0, 8, 0}, {7, 8, 0}, {8, 8, 8}, {65, 8, 65}, {4294967295u, 18, 4294967295u}, {30, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CheckedBestTime(c.Stored, c.Pairs), c.Read) << &c - cases;
    EXPECT_EQ(BetterTime(0, 90), 90u);
    EXPECT_EQ(BetterTime(60, 90), 60u);
    EXPECT_EQ(BetterTime(60, 45), 45u);
}

} // namespace

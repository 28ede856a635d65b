#include "rules/SavedRound.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Level 1 (4 x 4) for two players, Ann to play: picture p is on the cells 2p and 2p+1, row by row;
// Ann found picture 0, Bob picture 2.
SavedRoundValues SoundRecord() {
    SavedRoundValues v = {};
    v.Whole = true;
    v.Level = 1;
    v.Folder = "C:\\Photos";
    v.Subfolders = 1;
    for (int cell = 0; cell < 16; ++cell)
        v.Cells.push_back("C:\\Photos\\" + std::to_string(cell / 2) + ".jpg");
    v.Found.assign(16, 0);
    v.Found[0] = v.Found[1] = 1;
    v.Found[4] = v.Found[5] = 2;
    v.Tries = 5;
    v.Seconds = 65;
    v.Players = 2;
    v.Names = {L"Ann", L"Bob"};
    v.Computer = {0, 1};
    v.Strength = 3;
    v.Scores = {1, 1};
    v.Turn = 0;
    v.Starter = 1;
    return v;
}

// A sound record reads back whole, and saving what it gave stores the same record.
TEST(SavedRound, SoundRecordRoundTrips) {
    KeptRound round;
    ASSERT_TRUE(RoundOfValues(SoundRecord(), &round));
    EXPECT_EQ(round.Pairs, PairKind::Twins); // a record from before the kinds of pairs
    EXPECT_EQ(round.Columns * round.Rows, 16);
    EXPECT_EQ(round.PairsFound, 2);
    EXPECT_EQ(round.Board[0][0], round.Board[1][0]);
    EXPECT_EQ(round.FaceUp[1][0] + round.FaceUp[2][0] + round.FaceUp[2][1], 1);
    EXPECT_EQ(round.Players.Finders[round.Board[0][1]], 1);
    EXPECT_TRUE(round.Players.Computer[1]);
    const SavedRoundValues again = ValuesOfRound(round);
    const SavedRoundValues sound = SoundRecord();
    EXPECT_EQ(again.Cells, sound.Cells);
    EXPECT_EQ(again.Found, sound.Found);
    EXPECT_EQ(again.Scores, sound.Scores);
    EXPECT_EQ(again.Computer, sound.Computer);
    EXPECT_EQ(std::tie(again.Tries, again.Seconds, again.Turn, again.Starter, again.Strength),
              std::tie(sound.Tries, sound.Seconds, sound.Turn, sound.Starter, sound.Strength));
}

// Every damage any one value can carry means a new deal, and leaves the round given untouched.
TEST(SavedRound, DamagedRecordsDealAnew) {
    const std::function<void(SavedRoundValues&)> damages[] = {
        [](SavedRoundValues& v) { v.Whole = false; },
        [](SavedRoundValues& v) { v.Level = 5; },
        [](SavedRoundValues& v) { v.Level = 0; },
        [](SavedRoundValues& v) { v.Level = 2; }, // 16 cells are not level 2's
        [](SavedRoundValues& v) { v.Cells.pop_back(); },
        [](SavedRoundValues& v) { v.Found.push_back(0); },
        [](SavedRoundValues& v) { v.Cells[3] = v.Cells[4]; }, // a picture on three cells, one on one
        [](SavedRoundValues& v) { v.Cells[15] = "C:\\Photos\\other.jpg"; },
        [](SavedRoundValues& v) { v.Cells[6] = v.Cells[7] = ""; },
        [](SavedRoundValues& v) { v.Cells[6] = v.Cells[7] = std::string(260, 'a'); },
        [](SavedRoundValues& v) { v.Folder = std::string(260, 'a'); },
        [](SavedRoundValues& v) { v.Folder.clear(); },
        [](SavedRoundValues& v) { v.Subfolders = 2; },
        [](SavedRoundValues& v) { v.Found[1] = 0; },          // half a pair found
        [](SavedRoundValues& v) { v.Found[1] = 2; },          // a pair found by two seats
        [](SavedRoundValues& v) { v.Found[1] = 0; v.Scores = {0, 1}; v.Tries = 4; }, // and scored so
        [](SavedRoundValues& v) { v.Found[8] = v.Found[9] = 3; }, // a seat nobody holds
        [](SavedRoundValues& v) { v.Scores[1] = 2; },
        [](SavedRoundValues& v) { v.Scores.pop_back(); },
        [](SavedRoundValues& v) { v.Names.pop_back(); },
        [](SavedRoundValues& v) { v.Names[1] = L""; },
        [](SavedRoundValues& v) { v.Names[1] = std::wstring(33, L'x'); },
        [](SavedRoundValues& v) { v.Computer = {1, 0}; },
        [](SavedRoundValues& v) { v.Computer[1] = 7; },
        [](SavedRoundValues& v) { v.Computer.push_back(0); },
        [](SavedRoundValues& v) { v.Strength = 0; },
        [](SavedRoundValues& v) { v.Strength = 4; },
        [](SavedRoundValues& v) { v.Players = 0; },
        [](SavedRoundValues& v) { v.Players = 5; },
        [](SavedRoundValues& v) { v.Turn = 2; },
        [](SavedRoundValues& v) { v.Starter = 0xFFFFFFFF; },
        [](SavedRoundValues& v) { v.Tries = 1; },          // two pairs found in one try
        [](SavedRoundValues& v) { v.Tries = 0x80000000u; },
        [](SavedRoundValues& v) { v.Found.assign(16, 0); v.Scores = {0, 0}; v.Tries = 0; }, // no try yet
        [](SavedRoundValues& v) { // every pair found: nothing left to play
            for (size_t cell = 0; cell < 16; ++cell)
                v.Found[cell] = 1;
            v.Scores = {8, 0};
            v.Tries = 9;
        },
    };
    for (const auto& damage : damages) {
        SavedRoundValues values = SoundRecord();
        damage(values);
        KeptRound round = {};
        round.Tries = -7;
        EXPECT_FALSE(RoundOfValues(values, &round)) << &damage - damages;
        EXPECT_EQ(round.Tries, -7) << &damage - damages;
        EXPECT_TRUE(round.Pictures.empty()) << &damage - damages;
    }
}

// Level 5 (2 x 3) of a kind of pairs for one player, pair 1 found: pair p on the cells p - 1 and
// p + 2, the second row the pairs' second sides (name cards, or for two of one name and for then and
// now pictures "pb").
SavedRoundValues KindRecord(uint32_t kind) {
    SavedRoundValues v = SoundRecord();
    v.Level = 5;
    v.Pairs = kind;
    v.Cells.clear();
    for (int cell = 0; cell < 6; ++cell) {
        v.Cells.push_back("C:\\Photos\\" + std::to_string(cell % 3 + 1) +
                          (kind >= 2 && cell >= 3 ? "b" : "") + ".jpg");
        v.Sides.push_back(kind != 0 && cell >= 3 ? 1 : 0);
        v.PairIds.push_back(uint8_t(cell % 3 + 1));
    }
    v.Found = {1, 0, 0, 1, 0, 0};
    v.Tries = 2;
    v.Players = 1;
    v.Names = {L"Ann"};
    v.Computer = {0};
    v.Scores = {1};
    v.Turn = v.Starter = 0;
    return v;
}

// Pairs 1 and 2 of one group photo, by Grandma and by Grandpa: both cards of each for a picture and
// its name, the first of each for two of one name.
void Group(SavedRoundValues& v) {
    v.Cells[1] = v.Cells[0];
    if (v.Pairs == 1)
        v.Cells[4] = v.Cells[0];
    v.Persons = {"Grandma", "Grandpa", "", "Grandma", "Grandpa", ""};
}

// Each kind reads back with its cards' sides and people, pictures in the order a deal lists them,
// and is stored as it came; pairs of a name with a group photo in two pairs by two of its people.
TEST(SavedRound, KindsRoundTrip) {
    for (uint32_t kind = 0; kind <= 3; ++kind) {
        SavedRoundValues sound = KindRecord(kind);
        sound.Persons.resize(6);
        if (kind != 0)
            Group(sound);
        KeptRound round;
        ASSERT_TRUE(RoundOfValues(sound, &round)) << kind;
        EXPECT_EQ(round.Pairs, PairKind(kind));
        EXPECT_EQ(round.Board[2][0], round.Board[2][1]);
        EXPECT_EQ(round.Side[2][1] - round.Side[2][0], 1);
        const std::vector<DealtPicture> list = DealtListOfRound(round);
        ASSERT_EQ(list.size(), kind >= 2 ? 6u : 3u);
        EXPECT_EQ(list[kind >= 2 ? 5 : 2].Path, sound.Cells[5]);
        EXPECT_EQ(list[kind >= 2 ? 2 : 1].Person, kind == 0 ? "" : "Grandpa");
        const SavedRoundValues again = ValuesOfRound(round);
        EXPECT_EQ(std::tie(again.Pairs, again.Cells, again.Persons, again.Sides, again.PairIds, again.Found),
                  std::tie(sound.Pairs, sound.Cells, sound.Persons, sound.Sides, sound.PairIds, sound.Found));
    }
}

// A record of a kind whose cards make no pairs of it means a new deal.
TEST(SavedRound, KindsDamagedDealAnew) {
    const struct {
        uint32_t Kind;
        std::function<void(SavedRoundValues&)> Damage;
    } damages[] = {
        {1, [](SavedRoundValues& v) { v.Pairs = 4; }},
        {0, [](SavedRoundValues& v) { v.Pairs = 0xFFFFFFFF; }},
        {0, [](SavedRoundValues& v) { v.Sides[4] = 1; }}, // a name card among twins
        {1, [](SavedRoundValues& v) { v.Sides[4] = 0; }}, // a picture and no name card
        {1, [](SavedRoundValues& v) { v.Sides[4] = 2; }},
        {1, [](SavedRoundValues& v) { v.Sides.pop_back(); }},
        {1,
         [](SavedRoundValues& v) {
             v.Sides.clear();
             v.PairIds.clear();
         }}, // no sides: twins only
        {1, [](SavedRoundValues& v) { v.PairIds[4] = 0; }},
        {1, [](SavedRoundValues& v) { v.PairIds[4] = 4; }},
        {1, [](SavedRoundValues& v) { v.PairIds[4] = 3; }},                      // a pair on three cells
        {1, [](SavedRoundValues& v) { std::swap(v.PairIds[4], v.PairIds[5]); }}, // names on others' pictures
        {1, [](SavedRoundValues& v) { v.Cells[1] = v.Cells[4] = v.Cells[0]; }}, // one picture in two pairs
        {2, [](SavedRoundValues& v) { v.Cells[4] = v.Cells[1]; }},    // two of one name on one picture
        {2, [](SavedRoundValues& v) { v.Cells[4] = v.Cells[0]; }},    // a picture in two pairs
        {2, [](SavedRoundValues& v) { v.Found[3] = 0; }},             // half a pair found
        {0, [](SavedRoundValues& v) { v.Persons.assign(6, "Ann"); }}, // twins show no one
        {1, [](SavedRoundValues& v) { Group(v); v.Persons[1] = v.Persons[4] = "Grandma"; }}, // twice hers
        {2, [](SavedRoundValues& v) { Group(v); v.Persons[1] = v.Persons[4] = "Grandma"; }},
        {1, [](SavedRoundValues& v) { Group(v); v.Persons[3] = "Grandpa"; }}, // a name card of another person
        {1, [](SavedRoundValues& v) { Group(v); v.Persons.pop_back(); }},
        {1, [](SavedRoundValues& v) { v.Persons.assign(6, std::string(MaxPersonBytes + 1, 'a')); }},
        {1, [](SavedRoundValues& v) { v.Persons.assign(6, std::string("A\0B", 3)); }},
        {3, [](SavedRoundValues& v) { v.Cells[4] = v.Cells[1]; }}, // then and now on one picture
    };
    for (const auto& damage : damages) {
        SavedRoundValues values = KindRecord(damage.Kind);
        damage.Damage(values);
        KeptRound round = {};
        EXPECT_FALSE(RoundOfValues(values, &round)) << &damage - damages;
        EXPECT_TRUE(round.Pictures.empty()) << &damage - damages;
    }
}

// Pairs of a name resume only while their pictures' names, as listed, still make them.
TEST(SavedRound, NamesMakeRound) {
    const struct {
        std::vector<std::string> Names;
        PairKind Kind;
        bool Make;
    } rows[] = {
        {{"Anna", "Bo", "Łucja"}, PairKind::PictureAndName, true},
        {{"Anna", "", "Bo"}, PairKind::PictureAndName, false},
        {{"Anna", "Bo", "ANNA"}, PairKind::PictureAndName, false},
        {{"Anna", "anna", "おばあちゃん", "おばあちゃん"}, PairKind::TwoOfOneName, true},
        {{"Anna", "Bo", "Bo", "Anna"}, PairKind::TwoOfOneName, false}, // pairs of crossed names
        {{"Anna", "Anna", "Anna", "Anna"}, PairKind::TwoOfOneName, false},
        {{"Anna", "Anna", "Bo", ""}, PairKind::TwoOfOneName, false},
        {{"Anna", "anna", "Bo", "Bo"}, PairKind::ThenAndNow, true}, // its pairs' persons
        {{"Anna", "Bo", "Anna", "Bo"}, PairKind::ThenAndNow, false},
        {{"", "", "x", "x"}, PairKind::Twins, true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(NamesMakeRound(row.Names, row.Kind), row.Make) << &row - rows;
}

} // namespace

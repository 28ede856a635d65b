// The question at the end of a round as the string table's patterns make it, names in any script.
#include <gtest/gtest.h>

#include "app/PlayerSettings.h"
#include "board/EndQuestion.h"

TEST(EndQuestion, WinnerTieAndScores) {
    const struct {
        std::vector<int> Scores;
        const wchar_t* Text;
    } cases[] = {
        {{5, 3}, L"Ann wins with 5 pairs to 3.\nDo it Again?"},
        {{2, 6}, L"\u0141ucja wins with 6 pairs to 2.\nDo it Again?"},
        {{4, 4}, L"Ann and \u0141ucja tie with 4 pairs each.\nDo it Again?"},
        {{2, 5, 3},
         L"\u0141ucja wins with 5 pairs.\nScores: Ann: 2, \u0141ucja: 5, Player 3: 3\nDo it Again?"},
        {{3, 3, 3, 1},
         L"Ann, \u0141ucja and Player 3 tie with 3 pairs each.\n"
         L"Scores: Ann: 3, \u0141ucja: 3, Player 3: 3, Player 4: 1\nDo it Again?"},
        {{1, 3, 1, 3},
         L"\u0141ucja and Player 4 tie with 3 pairs each.\nScores: Ann: 1, \u0141ucja: 3, Player 3: 1, "
         L"Player 4: 3\nDo it Again?"},
        {{8}, L"You Made it in 17 Tries.\nRecall old lovely Days?\nDo it Again?"},
    };
    PlayerNames[0] = L"Ann";
    PlayerNames[1] = L"\u0141ucja";
    Tries = 17;
    for (const auto& c : cases) {
        StartPlayersRound(&Round, int(c.Scores.size()));
        for (size_t p = 0; p < c.Scores.size(); ++p)
            Round.Scores[p] = c.Scores[p];
        EXPECT_EQ(EndQuestion(), c.Text) << &c - cases;
    }
    for (std::wstring& name : PlayerNames)
        name.clear();
}

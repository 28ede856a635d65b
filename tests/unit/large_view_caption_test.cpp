#include "rules/LargeViewCaption.h"

#include <gtest/gtest.h>

namespace {

// The title, the people joined in the language's own patterns but one named as the title or twice
// (a name's own "%1" kept as it is), the date when there is one.
TEST(LargeViewCaption, TitlePeopleAndDate) {
    const CaptionWords english, polish = {{"%1, %2", "%1 i %2"}, "%1, %2"};
    const struct {
        std::string Title;
        std::vector<std::string> People;
        std::string Date;
        CaptionWords Words;
        std::string Caption;
    } rows[] = {
        {"Christmas at the lake",
         {"Grandma", "Grandpa", "the baby"},
         "24 December 2019",
         english,
         "Christmas at the lake, Grandma, Grandpa and the baby, 24 December 2019"},
        {"Wigilia", {"Babcia", "Łucja", "Zoë"}, "", polish, "Wigilia, Babcia, Łucja i Zoë"},
        {"Grandma", {"GRANDMA", "Grandpa"}, "", english, "Grandma, Grandpa"},
        {"50%1 off", {"Ann", "Bo%2", "ann"}, "", english, "50%1 off, Ann and Bo%2"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LargeViewCaption(row.Title, row.People, row.Date, row.Words), row.Caption) << &row - rows;
}

} // namespace

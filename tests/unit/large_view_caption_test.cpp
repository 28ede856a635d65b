#include "rules/LargeViewCaption.h"

#include <gtest/gtest.h>

namespace {

// The title, the people but one named as the title or twice, the date; each part only when there.
TEST(LargeViewCaption, TitlePeopleAndDate) {
    const struct {
        std::string Title;
        std::vector<std::string> People;
        std::string Date;
        std::string Caption;
    } rows[] = {
        {"Christmas at the lake",
         {"Grandma", "Grandpa", "the baby"},
         "24 December 2019",
         "Christmas at the lake, Grandma, Grandpa and the baby, 24 December 2019"},
        {"Grandma", {"GRANDMA", "Grandpa"}, "", "Grandma, Grandpa"},
        {"Grandma", {"grandma"}, "1 May 1990", "Grandma, 1 May 1990"},
        {"Beach", {"Ann", "Bo", "ann"}, "", "Beach, Ann and Bo"},
        {"Beach", {}, "", "Beach"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LargeViewCaption(row.Title, row.People, row.Date), row.Caption) << &row - rows;
}

} // namespace

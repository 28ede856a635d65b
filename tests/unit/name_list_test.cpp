#include "rules/NameList.h"

#include <gtest/gtest.h>

namespace {

// Each language's own "and" before the last name, commas before the others; a name's own "%1"
// stays as it is.
TEST(NameList, JoinedInTheLanguagesPatterns) {
    const ListWords english, polish = {"%1, %2", "%1 i %2"}, german = {"%1, %2", "%1 und %2"};
    const struct {
        std::vector<std::string> Names;
        ListWords Words;
        std::string List;
    } rows[] = {
        {{}, english, ""},
        {{"Grandma"}, english, "Grandma"},
        {{"Grandma", "Grandpa"}, english, "Grandma and Grandpa"},
        {{"Grandma", "Grandpa", "the baby"}, english, "Grandma, Grandpa and the baby"},
        {{"Babcia", "Dziadek", "Łucja", "Zoë"}, polish, "Babcia, Dziadek, Łucja i Zoë"},
        {{"Oma", "Opa"}, german, "Oma und Opa"},
        {{"50%1 Anna", "Bo%2"}, english, "50%1 Anna and Bo%2"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(NameList(row.Names, row.Words), row.List) << &row - rows;
}

} // namespace

// What the People window lists, in what order, what a typed name becomes, and who is kept of two.
#include <gtest/gtest.h>

#include "app/PeopleListing.h"

namespace {

StoredPerson Person(int64_t id, std::optional<std::string> name, int64_t pictures, bool hidden = false) {
    return {id, std::move(name), hidden, pictures, pictures};
}

TEST(PeopleListing, NamedByNameThenMostPictured) {
    const std::vector<StoredPerson> listed = ListedPeople(
        {Person(1, std::nullopt, 2), Person(2, std::string("zo\xC3\xAB"), 1), Person(3, std::nullopt, 5),
         Person(4, std::string("\xC3\x89mile"), 1), Person(5, std::string("Anna"), 9),
         Person(6, std::nullopt, 0), Person(7, std::nullopt, 0, true), Person(8, std::nullopt, 2)});
    std::vector<int64_t> order;
    for (const StoredPerson& person : listed)
        order.push_back(person.Id);
    // Person 6 has no face, no name and is not hidden: gone at the next batch, so not listed.
    EXPECT_EQ(order, (std::vector<int64_t>{5, 2, 4, 3, 1, 8, 7}));
}

TEST(PeopleListing, TypedNames) {
    EXPECT_EQ(TypedName("  Grandma \t"), std::string("Grandma"));
    EXPECT_EQ(TypedName(" \r\n "), std::nullopt);
    EXPECT_EQ(TypedName(""), std::nullopt);
    // "a" and 70 two-byte letters, 141 bytes: cut to 119, at a letter's start, never inside one.
    const std::string ees = std::string("a") + [] {
        std::string text;
        for (int n = 0; n < 70; ++n)
            text += "\xC3\xA9";
        return text;
    }();
    const std::optional<std::string> cut = TypedName(ees);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), MaxPersonName - 1);
    EXPECT_EQ(static_cast<unsigned char>(cut->back()), 0xA9u);
}

TEST(PeopleListing, KeptOfTwo) {
    EXPECT_EQ(KeptOfTwo(Person(1, std::nullopt, 9), Person(2, std::string("Ann"), 1)).Id, 2);
    EXPECT_EQ(KeptOfTwo(Person(1, std::nullopt, 2), Person(2, std::nullopt, 3)).Id, 2);
    EXPECT_EQ(KeptOfTwo(Person(4, std::string("B"), 3), Person(3, std::string("A"), 3)).Id, 3);
}

} // namespace

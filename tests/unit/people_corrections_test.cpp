#include "rules/PeopleCorrections.h"

#include <gtest/gtest.h>

#include "rules/PeopleGroups.h"
#include "tests/unit/SyntheticFaces.h"

namespace {

// Three made-up people of four faces (ids 0-11), grouped; and a fresh face of each (ids 100-102).
struct ThreePeople {
    std::vector<Face> Faces = SyntheticFaces(3, 5, 31);
    People Grouped;
    ThreePeople() {
        std::vector<Face> first;
        for (const Face& face : Faces) {
            if (face.Id % 5 != 4)
                first.push_back(face);
        }
        AddFaces(&Grouped, first);
    }
    Face Fresh(int person) const {
        Face face = Faces[size_t(person * 5 + 4)];
        face.Id = 100 + person;
        return face;
    }
    int64_t Of(int64_t face) { return FindFace(&Grouped, face)->Person; }
};

} // namespace

// "Same person" makes one of two, and later faces of either join that one; a face the merged person
// refused is refused by the kept one too.
TEST(PeopleCorrections, MergedPeopleStayOne) {
    ThreePeople three;
    ASSERT_EQ(three.Grouped.Persons.size(), 3u);
    const int64_t a = three.Of(0), b = three.Of(5);
    ASSERT_TRUE(NotThisPerson(&three.Grouped, 6));
    NamePerson(&three.Grouped, b, "Bo");
    ASSERT_TRUE(MergePeople(&three.Grouped, a, b));
    EXPECT_FALSE(MergePeople(&three.Grouped, a, b)); // b is gone
    EXPECT_EQ(FacesOf(three.Grouped, a), (std::vector<int64_t>{0, 1, 2, 3, 5, 7, 8}));
    EXPECT_EQ(FindPerson(&three.Grouped, a)->Name, "Bo");
    AddFaces(&three.Grouped, {three.Fresh(0), three.Fresh(1), three.Faces[6]});
    EXPECT_EQ(three.Of(100), a);
    EXPECT_EQ(three.Of(101), a);
    EXPECT_NE(three.Of(6), a);
    EXPECT_NE(three.Of(6), NoPerson);
}

// "Not this person": the face never rejoins them by itself, at the next placement nor after; a face
// of a picture the kept person shows stays behind at a merge.
TEST(PeopleCorrections, RefusedFaceNeverRejoins) {
    ThreePeople three;
    const int64_t a = three.Of(0);
    ASSERT_TRUE(NotThisPerson(&three.Grouped, 1));
    EXPECT_FALSE(NotThisPerson(&three.Grouped, 1)); // in nobody now
    EXPECT_EQ(three.Of(1), NoPerson);
    AddFaces(&three.Grouped, {three.Faces[1]});
    const int64_t alone = three.Of(1);
    EXPECT_NE(alone, a);
    EXPECT_EQ(FacesOf(three.Grouped, alone), std::vector<int64_t>{1});
    // Merging the refused face's new person back is the player's word, and binds.
    ASSERT_TRUE(MergePeople(&three.Grouped, a, alone));
    EXPECT_EQ(three.Of(1), a);

    const int64_t c = three.Of(10);
    FindFace(&three.Grouped, 11)->Seen.Picture = FindFace(&three.Grouped, 0)->Seen.Picture;
    ASSERT_TRUE(MergePeople(&three.Grouped, a, c));
    EXPECT_EQ(three.Of(10), a);
    EXPECT_EQ(three.Of(11), c);
}

// A hidden person is kept out of deals and still takes their new faces, staying hidden; a renamed
// person takes faces tagged with the new name from anywhere.
TEST(PeopleCorrections, HiddenAndRenamedPeople) {
    ThreePeople three;
    const int64_t a = three.Of(0), b = three.Of(5), c = three.Of(10);
    ASSERT_TRUE(HidePerson(&three.Grouped, b, true));
    EXPECT_FALSE(HidePerson(&three.Grouped, 99, true));
    AddFaces(&three.Grouped, {three.Fresh(1)});
    EXPECT_EQ(three.Of(101), b);
    EXPECT_TRUE(FindPerson(&three.Grouped, b)->Hidden);
    EXPECT_EQ(ShownPeople(three.Grouped), (std::vector<int64_t>{a, c}));
    // Left with no face, they are still there, and still hidden.
    for (int64_t face : FacesOf(three.Grouped, b))
        NotThisPerson(&three.Grouped, face);
    ASSERT_NE(FindPerson(&three.Grouped, b), nullptr);
    EXPECT_TRUE(FindPerson(&three.Grouped, b)->Hidden);

    ASSERT_TRUE(NamePerson(&three.Grouped, c, "Opa"));
    Face tagged = three.Fresh(0);
    tagged.Name = "opa";
    AddFaces(&three.Grouped, {tagged});
    EXPECT_EQ(three.Of(100), c);
}

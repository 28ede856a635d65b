#include "rules/PeopleGroups.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/unit/SyntheticFaces.h"

namespace {

int64_t PersonOf(People* people, int64_t face) {
    return FindFace(people, face)->Person;
}

// A face `step` further along the first axis than `from`.
Face Along(const Face& from, int64_t id, float step, const char* name = "") {
    Face face = from;
    face.Id = id;
    face.Picture = 5000 + id;
    face.Descriptor[0] += step;
    face.Name = name;
    return face;
}

} // namespace

// Whispers over the near pairs find each made-up person exactly, whatever the order the faces come
// in, on one thread or two, and again the same the second time.
TEST(PeopleGroups, FindsEachPersonExactlyAndAlwaysTheSame) {
    std::vector<Face> faces = SyntheticFaces(40, 12, 7);
    std::mt19937 random(3);
    std::shuffle(faces.begin(), faces.end(), random);
    People once;
    AddFaces(&once, faces, {SamePersonDistance, 1});
    ASSERT_EQ(once.Persons.size(), 40u);
    std::map<int, int64_t> personOfCluster;
    for (const KnownFace& face : once.Faces)
        EXPECT_EQ(personOfCluster.emplace(int(face.Seen.Id / 12), face.Person).first->second, face.Person);
    EXPECT_EQ(personOfCluster.size(), 40u);

    std::reverse(faces.begin(), faces.end());
    People again;
    AddFaces(&again, faces, {SamePersonDistance, 2});
    for (const KnownFace& face : once.Faces)
        EXPECT_EQ(PersonOf(&again, face.Seen.Id), face.Person);

    // A wider threshold is the caller's to choose: then two of them are near enough to be one.
    std::vector<Face> two = SyntheticFaces(2, 5, 9);
    People wide;
    AddFaces(&wide, two, {2.5f, 2});
    EXPECT_EQ(wide.Persons.size(), 1u);
}

// Faces tagged with one name (apart from case) are one person however far apart; a group two names
// claim is split between them, each untagged face with the nearer named one.
TEST(PeopleGroups, NamesJoinAndSplitGroups) {
    const std::vector<Face> base = SyntheticFaces(2, 1, 11);
    std::vector<Face> faces = {Along(base[0], 1, 0, "Anna"), Along(base[0], 2, 0.1f),
                               Along(base[1], 3, 0, "ANNA"), Along(base[1], 4, 0.1f)};
    // Ten faces a line 0.45 long: one group by distance, its ends tagged Bea and Cy.
    const Face other = SyntheticFaces(3, 1, 12)[2];
    for (int k = 0; k < 10; ++k)
        faces.push_back(Along(other, 10 + k, 0.05f * float(k), k == 0 ? "Bea" : k == 9 ? "Cy" : ""));
    People people;
    AddFaces(&people, faces);
    ASSERT_EQ(people.Persons.size(), 3u);
    for (int64_t id : {2, 3, 4})
        EXPECT_EQ(PersonOf(&people, id), PersonOf(&people, 1));
    EXPECT_EQ(FindPerson(&people, PersonOf(&people, 1))->Name, "Anna");
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(PersonOf(&people, 10 + k), PersonOf(&people, k < 5 ? 10 : 19)) << k;
    EXPECT_EQ(FindPerson(&people, PersonOf(&people, 10))->Name, "Bea");
    EXPECT_EQ(FindPerson(&people, PersonOf(&people, 19))->Name, "Cy");

    // Later, a face tagged with a known name joins them beyond the threshold, and a face tagged
    // otherwise does not join a named person however near.
    AddFaces(&people, {Along(other, 30, 3.0f, "cy"), Along(base[0], 31, 0.05f, "Dora")});
    EXPECT_EQ(PersonOf(&people, 30), PersonOf(&people, 19));
    EXPECT_NE(PersonOf(&people, 31), PersonOf(&people, 1));
    EXPECT_EQ(FindPerson(&people, PersonOf(&people, 31))->Name, "Dora");
}

// A picture shows a person once: two faces of one picture stay two people, at the first grouping
// and when a new picture's faces join the people known.
TEST(PeopleGroups, TwoFacesOfOnePictureAreNeverOnePerson) {
    std::vector<Face> faces = SyntheticFaces(2, 6, 21);
    faces[1].Picture = faces[0].Picture;
    faces[1].Descriptor = faces[0].Descriptor;
    People people;
    AddFaces(&people, faces);
    EXPECT_NE(PersonOf(&people, 0), PersonOf(&people, 1));
    EXPECT_EQ(PersonOf(&people, 2), PersonOf(&people, 0));

    // A new picture of person 1 with two of their faces in it, and a face of nobody known.
    const Face first = Along(faces[6], 100, 0.01f);
    Face second = Along(faces[7], 101, 0.02f);
    second.Picture = first.Picture;
    AddFaces(&people, {first, second, Along(faces[8], 102, 1.5f)});
    EXPECT_EQ(PersonOf(&people, 100), PersonOf(&people, 6));
    EXPECT_NE(PersonOf(&people, 101), PersonOf(&people, 100));
    EXPECT_NE(PersonOf(&people, 102), PersonOf(&people, 6));
    EXPECT_EQ(FacesOf(people, PersonOf(&people, 102)), std::vector<int64_t>{102});
}

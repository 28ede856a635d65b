#include "pictures/IndexedPeople.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "pictures/FaceIndexStore.h"
#include "rules/DealtPicture.h"
#include "rules/PairChoice.h"

namespace fs = std::filesystem;

namespace {

// A picture of faces side by side, descriptors already made, as the indexer keeps one.
IndexedPicture Picture(const std::string& path, int faces) {
    IndexedPicture picture{{path, 1000, 1}, false, {}};
    for (int n = 0; n < faces; ++n)
        picture.Faces.push_back({{0.1 + 0.3 * n, 0.2, 0.2, 0.3}, FaceDescriptor{}, std::nullopt});
    return picture;
}

// The names of the pictures for a deal of that kind, the index's people joining each picture's
// tags, and the pictures of the candidates the kind takes, in order.
std::vector<std::string> Dealt(const std::vector<std::string>& paths,
                               const std::vector<std::vector<std::string>>& tags,
                               const RecognisedPeople& people, PairKind kind,
                               std::vector<std::string>* persons) {
    std::vector<EntryNames> names;
    for (size_t i = 0; i < paths.size(); ++i) {
        std::vector<RecognisedName> recognised;
        const auto found = people.find(paths[i]);
        for (size_t p = 0; found != people.end() && p < found->second.size(); ++p)
            recognised.push_back({found->second[p].Number, found->second[p].Name, found->second[p].Tag});
        names.push_back(NamesOfEntry(tags[i], recognised, fs::path(paths[i]).stem().string(), "", kind));
    }
    std::vector<std::string> candidateNames, pictures;
    const std::vector<NameCandidate> candidates = CandidatesOfNames(names, &candidateNames);
    persons->clear();
    for (size_t taken : PairableCandidates(names, candidates, candidateNames, kind)) {
        pictures.push_back(paths[candidates[taken].Entry]);
        persons->push_back(candidateNames[taken]);
    }
    return pictures;
}

} // namespace

// A deal reads the index's people: a hidden person is left out, an unnamed one is a pair of two of
// their pictures by their number, a name the index and a tag both give in one picture is one card,
// and no pair is one picture twice. A picture and its name takes named people alone.
TEST(IndexedPeople, JoinTheDealsOfPeople) {
    const fs::path folder = fs::path(testing::TempDir()) / "indexed-people";
    fs::remove_all(folder);
    const std::string path = (folder / "people.db").string();
    EXPECT_TRUE(ReadRecognisedPeople(path).empty());
    EXPECT_FALSE(fs::exists(path)) << "a deal made an index";

    FaceIndexStore store(path);
    std::vector<IndexedPicture> batch = {Picture("a.jpg", 1), Picture("Beach.jpg", 2), Picture("c.jpg", 2),
                                         Picture("d.jpg", 1), Picture("e.jpg", 0)};
    batch[0].Faces[0].Tag = "Anna";
    ASSERT_TRUE(store.StoreBatch(batch));
    std::vector<int64_t> faces;
    store.ForEachDescribedFace([&](const StoredFace& face) {
        faces.push_back(face.Id);
        return true;
    });
    ASSERT_EQ(faces.size(), 6u);
    // Anna in a.jpg; someone unnamed in Beach.jpg and c.jpg; a hidden person in Beach.jpg and c.jpg.
    const int64_t anna = store.NewPerson({faces[0]});
    const int64_t unnamed = store.NewPerson({faces[1], faces[3]});
    const int64_t hidden = store.NewPerson({faces[2], faces[4]});
    ASSERT_TRUE(store.SetName(anna, "ANNA") && store.SetName(hidden, "Zed") && store.SetHidden(hidden, true));

    const RecognisedPeople people = ReadRecognisedPeople(path);
    ASSERT_EQ(people.size(), 3u);
    ASSERT_EQ(people.at("Beach.jpg").size(), 1u);
    EXPECT_EQ(people.at("Beach.jpg")[0].Number, unnamed);
    EXPECT_EQ(people.at("a.jpg")[0].Name, "ANNA");
    EXPECT_EQ(people.at("a.jpg")[0].Tag, "Anna");
    EXPECT_NEAR(people.at("c.jpg")[0].Box.Left, 0.1, 1e-9);

    // a.jpg tagged Anna too, d.jpg tagged anna alone.
    const std::vector<std::string> paths = {"a.jpg", "Beach.jpg", "c.jpg", "d.jpg", "e.jpg"};
    const std::vector<std::vector<std::string>> tags = {{"Anna"}, {}, {}, {"anna"}, {}};
    std::vector<std::string> persons;
    EXPECT_EQ(Dealt(paths, tags, people, PairKind::TwoOfOneName, &persons),
              (std::vector<std::string>{"a.jpg", "d.jpg", "Beach.jpg", "c.jpg"}));
    EXPECT_EQ(persons,
              (std::vector<std::string>{"Anna", "anna", UnnamedPerson(unnamed), UnnamedPerson(unnamed)}));
    EXPECT_TRUE(IsUnnamedPerson(persons[2]));
    EXPECT_FALSE(IsUnnamedPerson("Anna"));
    EXPECT_EQ(Dealt(paths, tags, people, PairKind::PictureAndName, &persons),
              (std::vector<std::string>{"a.jpg", "Beach.jpg", "c.jpg", "e.jpg"}));
    EXPECT_EQ(persons, (std::vector<std::string>{"Anna", "Beach", "c", "e"}));
}

// A face a tag names is that tag's person: under the name the player gave them when they renamed
// them, else under the tag's, never a second card of one face.
TEST(IndexedPeople, ATaggedFaceIsTheTagsPerson) {
    const std::vector<RecognisedName> recognised = {{7, "Granny", "grandma"}, {8, "", "Bo"}, {9, "", ""}};
    EXPECT_EQ(NamesOfEntry({"Grandma", "Bo"}, recognised, "Party", "", PairKind::TwoOfOneName).Names,
              (std::vector<std::string>{"Bo", "Granny", UnnamedPerson(9)}));
    EXPECT_EQ(NamesOfEntry({"Grandma", "Bo"}, recognised, "Party", "", PairKind::PictureAndName).Names,
              (std::vector<std::string>{"Bo", "Granny"}));
}

// Then and now takes a recognised person's untagged pictures, named or not, by the days they carry:
// the undated left out, a person whose days lie less than a year apart no pair.
TEST(IndexedPeople, ThenAndNowOfRecognisedPeople) {
    const std::vector<RecognisedName> seven = {{7, "", ""}}, nine = {{9, "Ida", ""}};
    const std::vector<EntryNames> names = {
        NamesOfEntry({}, seven, "a", "1990-06-15", PairKind::ThenAndNow),
        NamesOfEntry({}, nine, "b", "2020-01-01", PairKind::ThenAndNow),
        NamesOfEntry({}, seven, "c", "", PairKind::ThenAndNow),
        NamesOfEntry({}, seven, "d", "2000-06-15", PairKind::ThenAndNow),
        NamesOfEntry({}, nine, "e", "2020-06-01", PairKind::ThenAndNow),
    };
    std::vector<std::string> candidateNames;
    const std::vector<NameCandidate> candidates = CandidatesOfNames(names, &candidateNames);
    std::vector<size_t> entries;
    for (size_t taken : PairableCandidates(names, candidates, candidateNames, PairKind::ThenAndNow))
        entries.push_back(candidates[taken].Entry);
    EXPECT_EQ(entries, (std::vector<size_t>{0, 3}));
}

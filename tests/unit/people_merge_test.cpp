// "Same person" in the index as the rules have it: a picture shows the kept person once.
#include <gtest/gtest.h>

#include <filesystem>

#include "pictures/PeopleMerge.h"

namespace {

namespace fs = std::filesystem;

IndexedPicture Picture(const std::string& path, int faces) {
    IndexedPicture picture{{path, 1, 1}, false, {}};
    for (int n = 0; n < faces; ++n) {
        FaceDescriptor descriptor{};
        descriptor[0] = float(n);
        picture.Faces.push_back({{0.3 * n, 0.2, 0.2, 0.2}, descriptor, std::nullopt});
    }
    return picture;
}

TEST(PeopleMerge, APictureShowsTheKeptPersonOnce) {
    const fs::path folder = fs::path(testing::TempDir()) / "people-merge";
    fs::remove_all(folder);
    fs::create_directories(folder);
    FaceIndexStore store((folder / "people.db").string());
    ASSERT_TRUE(store.StoreBatch({Picture("a.jpg", 2), Picture("b.jpg", 1), Picture("c.jpg", 1)}));
    std::vector<StoredFace> faces; // a's two, b's, c's
    store.ForEachDescribedFace([&](const StoredFace& face) {
        faces.push_back(face);
        return true;
    });
    ASSERT_EQ(faces.size(), 4u);
    const int64_t kept = store.NewPerson({faces[0].Id});
    const int64_t merged = store.NewPerson({faces[1].Id, faces[2].Id});
    ASSERT_TRUE(store.SetName(merged, std::string("Ann")));
    size_t stayed = 0;
    ASSERT_TRUE(MergePeopleInIndex(&store, kept, merged, &stayed));
    EXPECT_EQ(stayed, 1u);
    // a.jpg shows the kept person already: its second face stays with the merged one.
    const auto ids = [&](int64_t person) {
        std::vector<int64_t> of;
        for (const StoredFace& face : store.FacesOf(person))
            of.push_back(face.Id);
        return of;
    };
    EXPECT_EQ(ids(kept), (std::vector<int64_t>{faces[0].Id, faces[2].Id}));
    EXPECT_EQ(ids(merged), (std::vector<int64_t>{faces[1].Id}));
    for (const StoredPerson& person : store.People())
        EXPECT_EQ(person.Name, std::string("Ann")) << person.Id;

    // Nothing stays behind: the merged person is gone, as the store's own merge has it.
    const int64_t third = store.NewPerson({faces[3].Id});
    ASSERT_TRUE(MergePeopleInIndex(&store, kept, third, &stayed));
    EXPECT_EQ(stayed, 0u);
    EXPECT_EQ(ids(kept).size(), 3u);
    EXPECT_EQ(store.People().size(), 2u);
    EXPECT_FALSE(MergePeopleInIndex(&store, kept, kept));
}

} // namespace

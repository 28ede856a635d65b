// The index of the people on Windows: in the local (not roaming) application data, written through
// SQLite's Windows layer under a path outside the ANSI code page, and forgotten whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "pictures/PeopleIndexFolder.h"
#include "tests/driver/Driver.h"

namespace {

TEST(PeopleIndex, LivesInLocalAppDataAndIsForgottenWhole) {
    const std::string path = PeopleIndexPath();
    ASSERT_EQ(path, yw::Utf8(yw::Wide(getenv("LOCALAPPDATA"))) + "\\Yorewind\\people.db");
    ASSERT_TRUE(ForgetPeopleIndex());
    {
        std::unique_ptr<FaceIndexStore> store = OpenPeopleIndex();
        ASSERT_TRUE(store);
        ASSERT_EQ(store->Status(), StoreStatus::Ready) << store->Reason();
        FaceDescriptor descriptor{};
        descriptor[5] = 0.5f;
        ASSERT_TRUE(store->StoreBatch({{{"C:\\F\xC3\xB3tos\\a.jpg", 10, 20},
                                        false,
                                        {{{0.1, 0.2, 0.3, 0.4}, descriptor, "Zo\xC3\xAB"}}}}));
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(path + "-wal")));
    }
    std::unique_ptr<FaceIndexStore> again = OpenPeopleIndex();
    int faces = 0;
    again->ForEachDescribedFace([&](const StoredFace& face) {
        EXPECT_EQ(face.Path, "C:\\F\xC3\xB3tos\\a.jpg");
        EXPECT_EQ(face.Tag, std::string("Zo\xC3\xAB"));
        EXPECT_EQ((*face.Descriptor)[5], 0.5f);
        return ++faces > 0;
    });
    EXPECT_EQ(faces, 1);
    EXPECT_FALSE(ForgetPeopleIndex()) << "an open store holds its file";
    again.reset();
    EXPECT_TRUE(ForgetPeopleIndex());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(path)));
}

} // namespace

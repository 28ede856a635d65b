#include "app/PathText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

const size_t MaxLength = PathTextSize - 1;

// A path buffer full of junk, as a reused stack buffer would be, with guard bytes behind it: a
// composition must never write past 260 bytes, whatever it is given.
struct GuardedPath {
    char Text[PathTextSize + 16];
    GuardedPath() { memset(Text, '~', sizeof Text); }
    bool GuardIntact() const { return std::string(Text + PathTextSize, 16) == std::string(16, '~'); }
    std::string Str() const { return memchr(Text, '\0', PathTextSize) ? Text : "(unterminated)"; }
};

TEST(PathText, CopyAndAppendAreCutAt259CharactersAndTerminated) {
    for (size_t head : {0u, 1u, 100u, 258u, 259u, 260u, 1000u}) {
        for (size_t tail : {0u, 1u, 159u, 160u, 500u}) {
            SCOPED_TRACE(testing::Message() << head << " + " << tail);
            const std::string text = std::string(head, 'h') + std::string(tail, 't');
            GuardedPath path;
            CopyPathText(path.Text, std::string(head, 'h').c_str());
            EXPECT_EQ(path.Str(), text.substr(0, std::min(head, MaxLength)));
            AppendPathText(path.Text, std::string(tail, 't').c_str());
            EXPECT_EQ(path.Str(), text.substr(0, MaxLength));
            EXPECT_TRUE(path.GuardIntact());
        }
    }
}

// One backslash always goes between folder and name, even after one the folder ends in.
TEST(PathText, SearchTextAndFullName) {
    const std::string longFolder(255, 'f');
    const struct {
        std::string Folder, Search, FullName;
    } cases[] = {
        {"C:\\Pictures", "C:\\Pictures\\*.jpg", "C:\\Pictures\\cat.png"},
        {"C:\\Pictures\\", "C:\\Pictures\\\\*.jpg", "C:\\Pictures\\\\cat.png"},
        {"", "\\*.jpg", "\\cat.png"},
        {longFolder, longFolder + "\\*.j", longFolder + "\\cat"}, // cut at 259 characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Folder);
        GuardedPath path;
        ComposeSearchText(path.Text, c.Folder.c_str(), "\\*.jpg");
        EXPECT_EQ(path.Str(), c.Search);
        ComposeFullName(path.Text, c.Folder.c_str(), "cat.png");
        EXPECT_EQ(path.Str(), c.FullName);
    }
}

} // namespace

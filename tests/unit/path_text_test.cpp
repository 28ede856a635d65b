#include "app/PathText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// Into a buffer of junk with guard bytes behind it, every composition stays within 260 bytes,
// terminated, whatever it is given; one backslash goes between folder and name.
TEST(PathText, CompositionsAreCutAt259CharactersAndTerminated) {
    const std::string f(255, 'f'), h(259, 'h');
    const struct {
        std::string Folder, Tail, Copied, Appended, Search, FullName;
    } cases[] = {
        {"C:\\Pics", "\\x", "C:\\Pics", "C:\\Pics\\x", "C:\\Pics\\*.jpg", "C:\\Pics\\cat.png"},
        {"C:\\P\\", "", "C:\\P\\", "C:\\P\\", "C:\\P\\\\*.jpg", "C:\\P\\\\cat.png"},
        {f, std::string(10, 't'), f, f + "tttt", f + "\\*.j", f + "\\cat"},
        {h + "hh", "t", h, h, h, h},
    };
    for (const auto& c : cases) {
        char text[PathTextSize + 16];
        memset(text, '~', sizeof text);
        std::string made;
        const auto take = [&text, &made] {
            made += (memchr(text, '\0', PathTextSize) ? text : "<unterminated>") + std::string("|");
            EXPECT_EQ(std::string(text + PathTextSize, 16), std::string(16, '~'));
        };
        CopyPathText(text, c.Folder.c_str());
        take();
        AppendPathText(text, c.Tail.c_str());
        take();
        ComposeSearchText(text, c.Folder.c_str(), "\\*.jpg");
        take();
        ComposeFullName(text, c.Folder.c_str(), "cat.png");
        take();
        EXPECT_EQ(made, c.Copied + "|" + c.Appended + "|" + c.Search + "|" + c.FullName + "|");
    }
}

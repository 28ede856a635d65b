#include "app/PathText.h"

#include <gtest/gtest.h>

#include <string>

// Every composition keeps at most 259 characters and a terminator (AddressSanitizer watches the
// 260 bytes); one backslash goes between folder and name, even after one the folder ends in.
TEST(PathText, CompositionsAreCutAt259Characters) {
    const std::string h(300, 'h'), f(255, 'f');
    char text[PathTextSize];
    CopyPathText(text, h.c_str());
    EXPECT_EQ(text, h.substr(0, 259));
    CopyPathText(text, f.c_str());
    AppendPathText(text, h.c_str());
    EXPECT_EQ(text, f + "hhhh");
    ComposeSearchText(text, f.c_str(), "\\*.jpg");
    EXPECT_EQ(text, f + "\\*.j");
    ComposeFullName(text, f.c_str(), "cat.png");
    EXPECT_EQ(text, f + "\\cat");
    ComposeFullName(text, "C:\\P\\", "cat.png");
    EXPECT_EQ(std::string(text), "C:\\P\\\\cat.png");
}

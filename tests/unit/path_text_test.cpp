#include "app/PathText.h"

#include <gtest/gtest.h>

#include <string>

// Every composition keeps at most 259 characters and a terminator (AddressSanitizer watches the
// 260 bytes).
TEST(PathText, CompositionsAreCutAt259Characters) {
    const std::string h(300, 'h'), f(255, 'f');
    char text[PathTextSize];
    CopyPathText(text, h.c_str());
    EXPECT_EQ(text, h.substr(0, 259));
    CopyPathText(text, f.c_str());
    AppendPathText(text, h.c_str());
    EXPECT_EQ(text, f + "hhhh");
}

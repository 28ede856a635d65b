#include "rules/NameCardLayout.h"

#include <gtest/gtest.h>

namespace {

// A font whose Latin letters are 0.6 of its size wide, and whose other characters (Japanese) are
// as wide as its size.
int Measure(const std::u16string& text, int size) {
    int width = 0;
    for (char16_t c : text)
        width += c < 0x3000 ? size * 3 / 5 : size;
    return width;
}

std::u16string Joined(const NameLayout& layout) {
    std::u16string text;
    for (const std::u16string& line : layout.Lines)
        text += (text.empty() ? u"" : u"|") + line;
    return text;
}

// Each name on cards of several sizes: the largest font that fits, the lines it wraps into at its
// word breaks, and the ellipsis only where the smallest font does not hold it.
TEST(NameCard, FitWrapAndEllipsis) {
    const struct {
        const char16_t* Name;
        int Width, Height;
        int Size;
        const char16_t* Lines;
    } cases[] = {
        {u"Anna", 100, 75, 36, u"Anna"},
        {u"Anna", 200, 150, 71, u"Anna"},
        {u"Grandma Rose", 100, 75, 21, u"Grandma|Rose"},
        {u"Grandma Rose", 300, 75, 39, u"Grandma Rose"},
        {u"Maria Anna Lucja Kowalska", 97, 72, 14, u"Maria Anna|Lucja|Kowalska"},
        {u"Maria Anna Lucja Kowalska-Nowak", 60, 40, 8, u"Maria Anna|Lucja|Kowalska-Now…"},
        {u"Ann Bo Cy Dee Eve Fay", 40, 30, 8, u"Ann Bo|Cy Dee…"},
        {u"Bartholomew", 40, 40, 8, u"Barthol…"},
        {u"おばあちゃん", 200, 150, 28, u"おばあちゃん"},
        {u"  ", 100, 75, 8, u""},
    };
    for (const auto& c : cases) {
        const NameLayout layout = LayOutName(c.Name, c.Width, c.Height, 8, Measure);
        EXPECT_EQ(layout.Size, c.Size) << &c - cases;
        EXPECT_EQ(Joined(layout), std::u16string(c.Lines)) << &c - cases;
        const int margin = std::min(c.Width, c.Height) / 10;
        for (const std::u16string& line : layout.Lines)
            EXPECT_LE(Measure(line, layout.Size), c.Width - 2 * margin) << &c - cases;
    }
}

} // namespace

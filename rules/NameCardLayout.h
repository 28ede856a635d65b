// How a name is set on its card: the largest size at which it fits, wrapped at its word breaks into
// at most three lines, cut with an ellipsis only when even the smallest size does not hold it.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The width in pixels of the text at a font of `size` pixels.
using MeasureText = std::function<int(const std::u16string& text, int size)>;

struct NameLayout {
    int Size = 0;                     // the font's height in pixels
    std::vector<std::u16string> Lines; // one to three, top to bottom
};

const int MaxNameLines = 3;

// Lines are Size * 6 / 5 apart; the text keeps a margin of a tenth of the card's smaller side. The
// size is at least minSize: a name too long even then ends its last line with "…", and a word
// wider than the card is cut the same way.
NameLayout LayOutName(const std::u16string& name, int width, int height, int minSize,
                      const MeasureText& measure);

#include "rules/NameCardLayout.h"

#include <algorithm>

namespace {

const char16_t Ellipsis[] = u"\u2026";

std::vector<std::u16string> Words(const std::u16string& name) {
    std::vector<std::u16string> words;
    std::u16string word;
    for (char16_t c : name) {
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// The words on as few lines as they fill, each no wider than width; false when a word alone is
// wider or they take more than MaxNameLines lines.
bool Wrap(const std::vector<std::u16string>& words, int width, int size, const MeasureText& measure,
          std::vector<std::u16string>* lines) {
    lines->clear();
    for (const std::u16string& word : words) {
        if (measure(word, size) > width)
            return false;
        if (!lines->empty() && measure(lines->back() + u" " + word, size) <= width)
            lines->back() += u" " + word;
        else
            lines->push_back(word);
    }
    return lines->size() <= size_t(MaxNameLines);
}

bool Fits(const std::vector<std::u16string>& words, int width, int height, int size, const MeasureText& measure,
          std::vector<std::u16string>* lines) {
    return Wrap(words, width, size, measure, lines) && int(lines->size()) * size * 6 / 5 <= height;
}

// The text with characters taken off its end until it and the ellipsis fit.
std::u16string Cut(std::u16string text, int width, int size, const MeasureText& measure) {
    while (!text.empty() && measure(text + Ellipsis, size) > width)
        text.pop_back();
    while (!text.empty() && text.back() == u' ')
        text.pop_back();
    // Never half of a surrogate pair.
    if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF)
        text.pop_back();
    return text + Ellipsis;
}

// At the smallest size: line by line, as many words as fit; a word too wide is cut, and what is
// left after the last line ends it with an ellipsis.
std::vector<std::u16string> CutToFit(const std::vector<std::u16string>& words, int width, int lines, int size,
                                      const MeasureText& measure) {
    std::vector<std::u16string> set;
    size_t next = 0;
    while (next < words.size() && int(set.size()) < lines) {
        std::u16string line = words[next];
        if (measure(line, size) > width) {
            set.push_back(Cut(line, width, size, measure));
            ++next;
            continue;
        }
        ++next;
        while (next < words.size() && measure(line + u" " + words[next], size) <= width)
            line += u" " + words[next++];
        set.push_back(line);
    }
    if (next < words.size() && !set.empty()) {
        std::u16string& last = set.back();
        if (last.size() < 1 || last.compare(last.size() - 1, 1, Ellipsis) != 0)
            last = Cut(last + u" " + words[next], width, size, measure);
    }
    return set;
}

} // namespace

NameLayout LayOutName(const std::u16string& name, int width, int height, int minSize,
                      const MeasureText& measure) {
    const int margin = std::min(width, height) / 10;
    const int innerWidth = std::max(1, width - 2 * margin);
    const int innerHeight = std::max(1, height - 2 * margin);
    const std::vector<std::u16string> words = Words(name);
    NameLayout layout;
    layout.Size = minSize;
    if (words.empty())
        return layout;
    // The largest size that fits, by halving: a larger font never fits where a smaller does not.
    int low = minSize;
    int high = std::max(minSize, innerHeight * 5 / 6);
    std::vector<std::u16string> lines;
    if (!Fits(words, innerWidth, innerHeight, low, measure, &lines)) {
        const int fitting = std::max(1, std::min(MaxNameLines, innerHeight * 5 / 6 / std::max(1, minSize)));
        layout.Lines = CutToFit(words, innerWidth, fitting, minSize, measure);
        return layout;
    }
    layout.Lines = lines;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (Fits(words, innerWidth, innerHeight, middle, measure, &lines)) {
            low = middle;
            layout.Lines = lines;
        } else {
            high = middle - 1;
        }
    }
    layout.Size = low;
    return layout;
}

#include "pictures/PeopleChoice.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "pictures/PictureFacts.h"

namespace {

// The next character of valid UTF-8 text, advancing at.
uint32_t NextCode(const std::string& text, size_t* at) {
    const uint8_t lead = uint8_t(text[*at]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length && *at + i < text.size(); ++i)
        code = code << 6 | (uint8_t(text[*at + i]) & 0x3F);
    *at += length;
    return code;
}

// The lower case of the capitals of Latin, Greek and Cyrillic; other characters as they are.
uint32_t Lower(uint32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x138 && c % 2 == 0)
        return c + 1;
    return c;
}

// A name as compared: its characters in lower case.
std::u32string Folded(const std::string& name) {
    std::u32string folded;
    for (size_t at = 0; at < name.size();)
        folded += char32_t(Lower(NextCode(name, &at)));
    return folded;
}

bool Near(const FaceBox& a, const FaceBox& b) {
    const double limit = 0.02;
    return std::fabs(a.Left - b.Left) <= limit && std::fabs(a.Top - b.Top) <= limit &&
           std::fabs(a.Left + a.Width - b.Left - b.Width) <= limit &&
           std::fabs(a.Top + a.Height - b.Top - b.Height) <= limit;
}

// The found box on the picture as shown, when it is sound.
bool ShownFace(const FoundPerson& person, int orientation, int storedWidth, int storedHeight,
               FaceBox* shown) {
    if (!person.HasBox)
        return false;
    FaceBox box = person.Box;
    if (person.BoxInPixels) {
        if (storedWidth <= 0 || storedHeight <= 0)
            return false;
        box = FaceBox{box.Left / storedWidth, box.Top / storedHeight, box.Width / storedWidth,
                      box.Height / storedHeight};
    }
    FaceBox sound;
    if (!SoundBox(box, &sound))
        return false;
    *shown = ShownBox(sound, orientation);
    return true;
}

} // namespace

void ChoosePeople(std::vector<FoundPerson> found, int orientation, int storedWidth, int storedHeight,
                  PictureInfo* info) {
    std::stable_sort(found.begin(), found.end(),
                     [](const FoundPerson& a, const FoundPerson& b) { return a.Source < b.Source; });
    std::vector<std::u32string> keys;
    for (const FoundPerson& person : found) {
        FaceBox box;
        const bool boxed = ShownFace(person, orientation, storedWidth, storedHeight, &box);
        if (boxed && info->TaggedFaces.size() < MaxTaggedFaces &&
            std::none_of(info->TaggedFaces.begin(), info->TaggedFaces.end(),
                         [&](const FaceBox& face) { return Near(face, box); }))
            info->TaggedFaces.push_back(box);
        const std::string name = CleanTitle(ClipUtf8(person.Name, MaxPersonNameBytes));
        if (name.empty())
            continue;
        const std::u32string key = Folded(name);
        const auto same = std::find(keys.begin(), keys.end(), key);
        if (same != keys.end()) {
            TaggedPerson& known = info->People[size_t(same - keys.begin())];
            if (!known.HasBox && boxed) {
                known.HasBox = true;
                known.Box = box;
            }
        } else if (info->People.size() < MaxPeople) {
            keys.push_back(key);
            info->People.push_back(TaggedPerson{name, boxed, boxed ? box : FaceBox()});
        }
    }
}

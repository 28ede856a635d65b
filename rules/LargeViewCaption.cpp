#include "rules/LargeViewCaption.h"

#include <set>

#include "rules/CardSpeech.h"
#include "rules/NameRules.h"

std::string LargeViewCaption(const std::string& title, const std::vector<std::string>& people,
                             const std::string& date, const CaptionWords& words) {
    // A picture titled "Grandma" that tags Grandma says her name once.
    std::set<std::u16string> named = {NameKey(title)};
    std::vector<std::string> others;
    for (const std::string& person : people) {
        if (named.insert(NameKey(person)).second)
            others.push_back(person);
    }
    std::string caption = title;
    if (!others.empty())
        caption = FillPattern(words.Part, {caption, NameList(others, words.People)});
    return date.empty() ? caption : FillPattern(words.Part, {caption, date});
}

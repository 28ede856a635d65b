// The large view's caption, which a screen reader also hears as the view's name: the picture's own
// name, the people its tags or the people's index name, the day it was taken.
#pragma once

#include <string>
#include <vector>

#include "rules/NameList.h"

// The player's language's words for it; English unless the caller fills them from the string table.
struct CaptionWords {
    ListWords People;
    std::string Part = "%1, %2"; // the caption so far, its next part
};

// "Christmas at the lake, Grandma, Grandpa and the baby, 24 December 2019", UTF-8: the title, then
// the people in their order but one named as the title or as one before (apart from case), then
// the date when there is one.
std::string LargeViewCaption(const std::string& title, const std::vector<std::string>& people,
                             const std::string& date, const CaptionWords& words = CaptionWords());

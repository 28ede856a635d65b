#include "rules/NameList.h"

#include "rules/CardSpeech.h"

std::string NameList(const std::vector<std::string>& names, const ListWords& words) {
    std::string list;
    for (size_t i = 0; i < names.size(); ++i)
        list = i == 0 ? names[i]
                      : FillPattern(i + 1 == names.size() ? words.And : words.Comma, {list, names[i]});
    return list;
}

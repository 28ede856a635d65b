#include "app/PeopleListing.h"

#include <algorithm>
#include <tuple>

#include "rules/NameRules.h"

std::vector<StoredPerson> ListedPeople(std::vector<StoredPerson> people) {
    people.erase(std::remove_if(people.begin(), people.end(),
                                [](const StoredPerson& p) { return p.Faces == 0 && !p.Name && !p.Hidden; }),
                 people.end());
    std::vector<std::pair<std::u16string, StoredPerson>> keyed;
    for (StoredPerson& person : people)
        keyed.push_back({person.Name ? NameKey(*person.Name) : std::u16string(), std::move(person)});
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const bool aNamed = bool(a.second.Name), bNamed = bool(b.second.Name);
        return std::make_tuple(!aNamed, a.first, -a.second.Pictures, a.second.Id) <
               std::make_tuple(!bNamed, b.first, -b.second.Pictures, b.second.Id);
    });
    std::vector<StoredPerson> listed;
    for (auto& entry : keyed)
        listed.push_back(std::move(entry.second));
    return listed;
}

std::optional<std::string> TypedName(const std::string& utf8) {
    const char* const spaces = " \t\r\n";
    const size_t first = utf8.find_first_not_of(spaces);
    if (first == std::string::npos)
        return std::nullopt;
    std::string name = utf8.substr(first, utf8.find_last_not_of(spaces) + 1 - first);
    if (name.size() > MaxPersonName) {
        size_t end = MaxPersonName;
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
            --end; // a continuation byte: the character starts before it
        name.resize(end);
        name.erase(name.find_last_not_of(spaces) + 1);
    }
    return name;
}

const StoredPerson& KeptOfTwo(const StoredPerson& a, const StoredPerson& b) {
    if (bool(a.Name) != bool(b.Name))
        return a.Name ? a : b;
    if (a.Pictures != b.Pictures)
        return a.Pictures > b.Pictures ? a : b;
    return a.Id < b.Id ? a : b;
}

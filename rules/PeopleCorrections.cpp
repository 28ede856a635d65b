#include "rules/PeopleCorrections.h"

#include <algorithm>

namespace {

void DropIfEmpty(People* people, int64_t number) {
    for (const KnownFace& face : people->Faces) {
        if (face.Person == number)
            return;
    }
    people->Persons.erase(std::remove_if(people->Persons.begin(), people->Persons.end(),
                                         [number](const Person& p) { return p.Number == number; }),
                          people->Persons.end());
}

} // namespace

bool NamePerson(People* people, int64_t number, const std::string& name) {
    Person* person = FindPerson(people, number);
    if (person == nullptr)
        return false;
    person->Name = name;
    return true;
}

bool MergePeople(People* people, int64_t kept, int64_t merged) {
    if (kept == merged || FindPerson(people, kept) == nullptr || FindPerson(people, merged) == nullptr)
        return false;
    std::set<int64_t> shown;
    for (const KnownFace& face : people->Faces) {
        if (face.Person == kept)
            shown.insert(face.Seen.Picture);
    }
    for (KnownFace& face : people->Faces) {
        if (face.Person == merged && shown.insert(face.Seen.Picture).second) {
            face.Person = kept;
            people->Refused.erase({face.Seen.Id, kept}); // the player's later word
        }
    }
    std::vector<std::pair<int64_t, int64_t>> refusals;
    for (const auto& refused : people->Refused) {
        if (refused.second == merged)
            refusals.push_back({refused.first, kept});
    }
    people->Refused.insert(refusals.begin(), refusals.end());
    Person* keptPerson = FindPerson(people, kept);
    if (keptPerson->Name.empty())
        keptPerson->Name = FindPerson(people, merged)->Name;
    DropIfEmpty(people, merged);
    return true;
}

bool NotThisPerson(People* people, int64_t id) {
    KnownFace* face = FindFace(people, id);
    if (face == nullptr || face->Person == NoPerson)
        return false;
    const int64_t number = face->Person;
    people->Refused.insert({id, number});
    face->Person = NoPerson;
    const Person* person = FindPerson(people, number);
    if (person->Name.empty() && !person->Hidden)
        DropIfEmpty(people, number);
    return true;
}

bool HidePerson(People* people, int64_t number, bool hidden) {
    Person* person = FindPerson(people, number);
    if (person == nullptr)
        return false;
    person->Hidden = hidden;
    return true;
}

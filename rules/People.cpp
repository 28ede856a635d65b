#include "rules/People.h"

#include <algorithm>

Person* FindPerson(People* people, int64_t number) {
    const auto found = std::lower_bound(people->Persons.begin(), people->Persons.end(), number,
                                        [](const Person& person, int64_t n) { return person.Number < n; });
    return found != people->Persons.end() && found->Number == number ? &*found : nullptr;
}

KnownFace* FindFace(People* people, int64_t id) {
    const auto found = std::lower_bound(people->Faces.begin(), people->Faces.end(), id,
                                        [](const KnownFace& face, int64_t i) { return face.Seen.Id < i; });
    return found != people->Faces.end() && found->Seen.Id == id ? &*found : nullptr;
}

std::vector<int64_t> FacesOf(const People& people, int64_t number) {
    std::vector<int64_t> ids;
    for (const KnownFace& face : people.Faces) {
        if (face.Person == number)
            ids.push_back(face.Seen.Id);
    }
    return ids;
}

std::vector<int64_t> ShownPeople(const People& people) {
    std::vector<int64_t> shown;
    for (const Person& person : people.Persons) {
        if (!person.Hidden)
            shown.push_back(person.Number);
    }
    return shown;
}

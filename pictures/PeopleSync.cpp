#include "pictures/PeopleSync.h"

#include <algorithm>
#include <map>
#include <vector>

bool LoadPeople(FaceIndexStore* store, People* people) {
    *people = People();
    for (const StoredPerson& person : store->People()) {
        people->Persons.push_back({person.Id, person.Name.value_or(std::string()), person.Hidden});
        people->NextNumber = std::max(people->NextNumber, person.Id + 1);
    }
    const bool read = store->ForEachDescribedFace([&](const StoredFace& face) {
        people->Faces.push_back({{face.Id, *face.Descriptor, face.Tag.value_or(std::string()), face.Picture},
                                 face.Person.value_or(NoPerson)});
        return true;
    });
    if (!read)
        return false;
    // A face's person came with the face; one made meanwhile by another game is not in Persons yet.
    for (KnownFace& face : people->Faces) {
        if (face.Person != NoPerson && FindPerson(people, face.Person) == nullptr)
            face.Person = NoPerson;
    }
    for (const auto& refusal : store->Refusals())
        people->Refused.insert(refusal);
    return true;
}

bool RegroupPeople(FaceIndexStore* store, const GroupingOptions& options) {
    People people;
    if (!LoadPeople(store, &people))
        return false;
    std::vector<Face> placing;
    for (const KnownFace& face : people.Faces) {
        if (face.Person == NoPerson)
            placing.push_back(face.Seen);
    }
    if (placing.empty())
        return true;
    std::map<int64_t, std::string> namesBefore;
    for (const Person& person : people.Persons)
        namesBefore[person.Number] = person.Name;
    const int64_t firstNew = people.NextNumber;
    AddFaces(&people, placing, options);

    // The faces placed, by the person they joined.
    std::map<int64_t, std::vector<int64_t>> joined;
    for (const Face& face : placing) {
        const KnownFace* known = FindFace(&people, face.Id);
        if (known != nullptr && known->Person != NoPerson)
            joined[known->Person].push_back(face.Id);
    }
    bool written = true;
    for (const auto& [number, faces] : joined) {
        const Person* person = FindPerson(&people, number);
        int64_t id = number;
        if (number >= firstNew)
            id = store->NewPerson(faces);
        else if (!store->Join(number, faces))
            id = 0;
        if (id == 0) {
            written = false;
            continue;
        }
        const auto before = namesBefore.find(number);
        const bool named =
            before == namesBefore.end() ? !person->Name.empty() : before->second != person->Name;
        if (named && !store->SetName(id, person->Name))
            written = false;
    }
    return written;
}

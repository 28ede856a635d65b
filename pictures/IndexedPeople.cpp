#include "pictures/IndexedPeople.h"

#include <algorithm>
#include <filesystem>

#include "pictures/FaceIndexStore.h"
#include "pictures/PeopleChoice.h"
#include "pictures/PictureFacts.h"

RecognisedPeople ReadRecognisedPeople(FaceIndexStore& store) {
    RecognisedPeople people;
    size_t faces = 0;
    store.ForEachShownFace([&](const ShownFace& face) {
        RecognisedPerson person;
        if (face.Path.empty() || !SoundBox(face.Box, &person.Box))
            return true;
        std::vector<RecognisedPerson>& shown = people[face.Path];
        // A picture shows a person once: a file that says otherwise keeps their first face.
        const bool known = std::any_of(shown.begin(), shown.end(), [&](const RecognisedPerson& other) {
            return other.Number == face.Person;
        });
        if (known || shown.size() >= MaxPeople)
            return true;
        person.Number = face.Person;
        if (face.Name)
            person.Name = CleanTitle(ClipUtf8(*face.Name, MaxPersonNameBytes));
        if (face.Tag)
            person.Tag = CleanTitle(ClipUtf8(*face.Tag, MaxPersonNameBytes));
        shown.push_back(std::move(person));
        return ++faces < MaxRecognisedFaces;
    });
    return people;
}

RecognisedPeople ReadRecognisedPeople(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(std::filesystem::u8path(path), error))
        return RecognisedPeople();
    FaceIndexStore store(path);
    return ReadRecognisedPeople(store);
}

#include "rules/PeopleGroups.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <numeric>

#include "rules/ChineseWhispers.h"
#include "rules/FaceGraph.h"
#include "rules/NameRules.h"

namespace {

using Shown = std::set<std::pair<int64_t, int64_t>>; // (picture, person): what each person's faces show

Shown PicturesShown(const People& people) {
    Shown shown;
    for (const KnownFace& face : people.Faces) {
        if (face.Person != NoPerson)
            shown.insert({face.Seen.Picture, face.Person});
    }
    return shown;
}

// A person takes a face the player did not refuse them, of a picture they are not in yet, and
// named as they are when both have a name.
bool MayJoin(const People& people, const Shown& shown, const Face& face, const Person& person) {
    return people.Refused.count({face.Id, person.Number}) == 0 &&
           shown.count({face.Picture, person.Number}) == 0 &&
           (face.Name.empty() || person.Name.empty() || NameKey(face.Name) == NameKey(person.Name));
}

// The person a face joins: the one its tag names, else the one of the nearest face within the
// threshold, a person's nearest face and not their middle standing for them, as a person's faces
// over the years lie along a path more than round a point.
int64_t JoiningPerson(const People& people, const Shown& shown, const Face& face, float bound) {
    std::vector<char> may(people.Persons.size());
    for (size_t p = 0; p < people.Persons.size(); ++p)
        may[p] = MayJoin(people, shown, face, people.Persons[p]);
    if (!face.Name.empty()) {
        const std::u16string key = NameKey(face.Name);
        for (size_t p = 0; p < people.Persons.size(); ++p) {
            if (may[p] && NameKey(people.Persons[p].Name) == key)
                return people.Persons[p].Number;
        }
    }
    int64_t nearest = NoPerson;
    float best = bound;
    for (const KnownFace& known : people.Faces) {
        if (known.Person == NoPerson)
            continue;
        const auto person = std::lower_bound(people.Persons.begin(), people.Persons.end(), known.Person,
                                             [](const Person& p, int64_t n) { return p.Number < n; });
        if (!may[size_t(person - people.Persons.begin())])
            continue;
        const float distance = SquaredDistanceWithin(face.Descriptor, known.Seen.Descriptor, best);
        if (distance < best) {
            best = distance;
            nearest = known.Person;
        }
    }
    return nearest;
}

void Join(People* people, Shown* shown, KnownFace* face, int64_t number) {
    face->Person = number;
    shown->insert({face->Seen.Picture, number});
    Person* person = FindPerson(people, number);
    if (person->Name.empty())
        person->Name = face->Seen.Name;
}

int64_t NewPerson(People* people, const std::string& name) {
    people->Persons.push_back({people->NextNumber++, name, false});
    return people->Persons.back().Number;
}

uint32_t Root(std::vector<uint32_t>* parent, uint32_t i) {
    while ((*parent)[i] != i)
        i = (*parent)[i] = (*parent)[(*parent)[i]];
    return i;
}

// Which group each face is in, by Chinese whispers, and then one group for each name however far
// its faces lie apart.
std::vector<uint32_t> GroupsByWhispersAndNames(const std::vector<std::vector<uint32_t>>& near,
                                               const std::vector<std::u16string>& keys) {
    const std::vector<uint32_t> labels = ChineseWhispers(near);
    // Each face joined to the first face of its label and to the first face of its name.
    std::vector<uint32_t> parent(keys.size());
    std::iota(parent.begin(), parent.end(), 0u);
    std::map<uint32_t, uint32_t> labelled;
    std::map<std::u16string, uint32_t> named;
    for (uint32_t i = 0; i < keys.size(); ++i) {
        const uint32_t first = labelled.emplace(labels[i], i).first->second;
        parent[Root(&parent, i)] = Root(&parent, first);
        if (keys[i].empty())
            continue;
        const uint32_t firstNamed = named.emplace(keys[i], i).first->second;
        parent[Root(&parent, i)] = Root(&parent, firstNamed);
    }
    for (uint32_t i = 0; i < keys.size(); ++i)
        parent[i] = Root(&parent, i);
    return parent;
}

// The name of each face's side of its group: its own tag's; for an untagged face in a group two
// names claim, that of the nearest tagged face; in a group one name claims, that name.
std::vector<std::u16string> Sides(const std::vector<const Face*>& faces,
                                  const std::vector<std::u16string>& keys,
                                  const std::vector<uint32_t>& groups) {
    std::map<uint32_t, std::vector<uint32_t>> tagged;
    std::map<uint32_t, std::set<std::u16string>> names;
    for (uint32_t i = 0; i < faces.size(); ++i) {
        if (!keys[i].empty()) {
            tagged[groups[i]].push_back(i);
            names[groups[i]].insert(keys[i]);
        }
    }
    std::vector<std::u16string> sides = keys;
    for (uint32_t i = 0; i < faces.size(); ++i) {
        const auto claims = tagged.find(groups[i]);
        if (!keys[i].empty() || claims == tagged.end())
            continue;
        if (names[groups[i]].size() == 1) {
            sides[i] = *names[groups[i]].begin();
            continue;
        }
        float best = -1;
        for (uint32_t t : claims->second) {
            const float distance = SquaredDistanceWithin(faces[i]->Descriptor, faces[t]->Descriptor, 1e30f);
            if (best < 0 || distance < best) {
                best = distance;
                sides[i] = keys[t];
            }
        }
    }
    return sides;
}

// New people of faces none of the known took, among themselves.
void GroupAmongThemselves(People* people, Shown* shown, const std::vector<size_t>& placing,
                          const GroupingOptions& options) {
    std::vector<const Face*> faces;
    std::vector<std::u16string> keys;
    for (size_t index : placing) {
        faces.push_back(&people->Faces[index].Seen);
        keys.push_back(NameKey(faces.back()->Name));
    }
    std::vector<FaceDescriptor> descriptors;
    descriptors.reserve(faces.size());
    for (const Face* face : faces)
        descriptors.push_back(face->Descriptor);
    const std::vector<std::vector<uint32_t>> near =
        NearFaces(descriptors, options.Threshold, options.Threads);
    const std::vector<uint32_t> groups = GroupsByWhispersAndNames(near, keys);
    const std::vector<std::u16string> sides = Sides(faces, keys, groups);

    // A team is a group's side; teams numbered in the order of their lowest face.
    std::map<std::pair<uint32_t, std::u16string>, uint32_t> teamOf;
    std::vector<uint32_t> team(faces.size());
    for (uint32_t i = 0; i < faces.size(); ++i)
        team[i] = teamOf.emplace(std::make_pair(groups[i], sides[i]), uint32_t(teamOf.size())).first->second;
    std::vector<std::vector<uint32_t>> members(teamOf.size());
    for (uint32_t i = 0; i < faces.size(); ++i)
        members[team[i]].push_back(i);

    // A picture shows a person once: of a team's faces in one picture, a tagged one stays, else the
    // one near most of the team; the others are placed again when the teams are people.
    std::vector<uint32_t> left;
    for (std::vector<uint32_t>& faceSet : members) {
        std::vector<std::pair<long long, uint32_t>> ranked; // lower first: tagged, then most near
        for (uint32_t i : faceSet) {
            const long long inTeam =
                std::count_if(near[i].begin(), near[i].end(), [&](uint32_t j) { return team[j] == team[i]; });
            ranked.push_back({(keys[i].empty() ? 1LL << 40 : 0) - inTeam, i});
        }
        std::sort(ranked.begin(), ranked.end());
        std::set<int64_t> pictures;
        std::vector<uint32_t> kept;
        for (const auto& r : ranked) {
            if (pictures.insert(faces[r.second]->Picture).second)
                kept.push_back(r.second);
            else
                left.push_back(r.second);
        }
        std::sort(kept.begin(), kept.end());
        faceSet = kept;
    }
    for (const std::vector<uint32_t>& faceSet : members) {
        if (faceSet.empty())
            continue;
        std::string name;
        for (uint32_t i : faceSet) {
            if (name.empty())
                name = faces[i]->Name;
        }
        const int64_t number = NewPerson(people, name);
        for (uint32_t i : faceSet)
            Join(people, shown, &people->Faces[placing[i]], number);
    }
    std::sort(left.begin(), left.end());
    for (uint32_t i : left) {
        KnownFace* face = &people->Faces[placing[i]];
        int64_t number = JoiningPerson(*people, *shown, face->Seen, options.Threshold * options.Threshold);
        if (number == NoPerson)
            number = NewPerson(people, std::string());
        Join(people, shown, face, number);
    }
}

} // namespace

void AddFaces(People* people, const std::vector<Face>& faces, const GroupingOptions& options) {
    std::vector<int64_t> placing;
    std::vector<KnownFace> added;
    for (const Face& face : faces) {
        const KnownFace* known = FindFace(people, face.Id);
        if (known == nullptr)
            added.push_back({face, NoPerson});
        if (known == nullptr || known->Person == NoPerson)
            placing.push_back(face.Id);
    }
    const auto byId = [](const KnownFace& a, const KnownFace& b) { return a.Seen.Id < b.Seen.Id; };
    std::stable_sort(added.begin(), added.end(), byId);
    added.erase(std::unique(added.begin(), added.end(),
                            [](const KnownFace& a, const KnownFace& b) { return a.Seen.Id == b.Seen.Id; }),
                added.end());
    const size_t before = people->Faces.size();
    people->Faces.insert(people->Faces.end(), added.begin(), added.end());
    std::inplace_merge(people->Faces.begin(), people->Faces.begin() + std::ptrdiff_t(before),
                       people->Faces.end(), byId);
    std::sort(placing.begin(), placing.end());
    placing.erase(std::unique(placing.begin(), placing.end()), placing.end());

    Shown shown = PicturesShown(*people);
    std::vector<size_t> left;
    for (int64_t id : placing) {
        KnownFace* face = FindFace(people, id);
        const int64_t number =
            JoiningPerson(*people, shown, face->Seen, options.Threshold * options.Threshold);
        if (number != NoPerson)
            Join(people, &shown, face, number);
        else
            left.push_back(size_t(face - people->Faces.data()));
    }
    GroupAmongThemselves(people, &shown, left, options);
}

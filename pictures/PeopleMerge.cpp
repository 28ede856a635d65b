#include "pictures/PeopleMerge.h"

#include <optional>
#include <set>
#include <vector>

bool MergePeopleInIndex(FaceIndexStore* store, int64_t kept, int64_t merged, size_t* stayed) {
    if (stayed != nullptr)
        *stayed = 0;
    if (kept == merged)
        return false;
    std::set<int64_t> shown;
    for (const StoredFace& face : store->FacesOf(kept))
        shown.insert(face.Picture);
    std::vector<int64_t> joining;
    size_t staying = 0;
    for (const StoredFace& face : store->FacesOf(merged)) {
        if (shown.insert(face.Picture).second)
            joining.push_back(face.Id);
        else
            ++staying;
    }
    if (stayed != nullptr)
        *stayed = staying;
    if (staying == 0)
        return store->Merge(kept, merged); // its faces, refusals and name, and the person gone
    std::optional<std::string> keptName, mergedName;
    for (const StoredPerson& person : store->People()) {
        if (person.Id == kept)
            keptName = person.Name;
        else if (person.Id == merged)
            mergedName = person.Name;
    }
    if (!store->Join(kept, joining))
        return false;
    return keptName || !mergedName || store->SetName(kept, mergedName);
}

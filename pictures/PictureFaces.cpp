#include "pictures/PictureFaces.h"

#include <algorithm>
#include <optional>
#include <string>

#include "pictures/FaceDescriber.h"
#include "pictures/PictureInfo.h"
#include "pictures/PictureReading.h"

namespace {

// How much of the smaller of two boxes the other covers, 0..1: a photo program's box takes in
// more or less of the head than the finder's, so neither's size alone says they are one face.
double Overlap(const FaceBox& a, const FaceBox& b) {
    const double width = std::min(a.Left + a.Width, b.Left + b.Width) - std::max(a.Left, b.Left);
    const double height = std::min(a.Top + a.Height, b.Top + b.Height) - std::max(a.Top, b.Top);
    const double smaller = std::min(a.Width * a.Height, b.Width * b.Height);
    return width > 0 && height > 0 && smaller > 0 ? width * height / smaller : 0;
}

// Two boxes of one face: most of the smaller lies in the other.
bool OneFace(const FaceBox& a, const FaceBox& b) {
    return Overlap(a, b) >= 0.5;
}

struct TaggedBox {
    FaceBox Box;
    std::optional<std::string> Name;
};

// The tags' boxes: the named ones, most trusted first, then those no name is given to.
std::vector<TaggedBox> TaggedBoxes(const PictureInfo& info) {
    std::vector<TaggedBox> boxes;
    for (const TaggedPerson& person : info.People)
        if (person.HasBox)
            boxes.push_back({person.Box, person.Name});
    const size_t named = boxes.size();
    for (const FaceBox& box : info.TaggedFaces)
        if (std::none_of(boxes.begin(), boxes.begin() + long(named),
                         [&](const TaggedBox& tagged) { return OneFace(tagged.Box, box); }))
            boxes.push_back({box, std::nullopt});
    if (boxes.size() > MaxTaggedFaces)
        boxes.resize(MaxTaggedFaces);
    return boxes;
}

// The found faces with the tags joined to them, and the tagged faces none of them is.
std::vector<IndexedFace> JoinTags(const std::vector<FaceBox>& found, const PictureInfo& info) {
    std::vector<IndexedFace> faces;
    for (const FaceBox& box : found)
        if (faces.size() < MaxFoundFaces)
            faces.push_back({box, std::nullopt, std::nullopt});
    std::vector<bool> tagged(faces.size(), false);
    for (const TaggedBox& box : TaggedBoxes(info)) {
        // A box over a face a tag already took is that tag's face again.
        bool taken = false;
        size_t best = faces.size();
        double bestOverlap = 0.5;
        for (size_t i = 0; i < faces.size(); ++i) {
            const double overlap = Overlap(box.Box, faces[i].Box);
            if (tagged[i])
                taken = taken || overlap >= 0.5;
            else if (overlap >= bestOverlap) {
                best = i;
                bestOverlap = overlap;
            }
        }
        if (taken)
            continue;
        if (best == faces.size()) {
            faces.push_back({box.Box, std::nullopt, std::nullopt});
            tagged.push_back(false);
        }
        faces[best].Tag = box.Name;
        tagged[best] = true;
    }
    if (faces.size() == 1 && info.TaggedFaces.empty() && info.People.size() == 1)
        faces[0].Tag = info.People[0].Name;
    return faces;
}

} // namespace

bool ReadPictureFaces(const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces) {
    faces->clear();
    // The whole read is told, the description too: a picture that ends the process is known.
    const PictureReading reading(path);
    std::vector<FaceBox> found;
    SearchedPicture searched;
    if (!FindFacesInPicture(path, stop, &found, &searched))
        return false;
    std::vector<IndexedFace> joined = JoinTags(found, ReadPictureInfo(path));
    for (IndexedFace& face : joined) {
        if (stop())
            return false;
        face.Descriptor =
            DescribeFaces(searched.Pixels.data(), searched.Width, searched.Height, {face.Box})[0];
    }
    *faces = std::move(joined);
    return true;
}

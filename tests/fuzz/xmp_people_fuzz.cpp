// libFuzzer's entry for the people an XMP packet tags: any bytes as a packet (a file's, a sidecar's)
// through ReadXmpPeople and the choice of people, turned by an orientation the input's length picks;
// checking the list is bounded, each name whole and each box within the picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "pictures/PeopleChoice.h"
#include "pictures/PictureFacts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<FoundPerson> found;
    ReadXmpPeople(data, size, &found);
    if (found.size() > MaxFoundPeople)
        std::abort();
    PictureInfo info;
    ChoosePeople(found, int(size % 9), int(size % 7) * 100, int(size % 5) * 100, &info);
    if (info.People.size() > MaxPeople || info.TaggedFaces.size() > MaxTaggedFaces)
        std::abort();
    for (const TaggedPerson& person : info.People) {
        const FaceBox& box = person.Box;
        if (person.Name.empty() || person.Name.size() > MaxPersonNameBytes ||
            CleanTitle(person.Name) != person.Name ||
            (person.HasBox && (box.Left < 0 || box.Top < 0 || box.Width <= 0 || box.Height <= 0 ||
                               box.Left + box.Width > 1 + 1e-9 || box.Top + box.Height > 1 + 1e-9)))
            std::abort();
    }
    return 0;
}

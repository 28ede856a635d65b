// libFuzzer's entry: any bytes through the game's whole reading path: the signature, the decoder at a
// card size the input's length picks, so small and large cards (and with them each JPEG DCT scale),
// stretched or cut to their shape, are all reached; the size read from the headers alone; and the
// readers of what a picture carries of itself (EXIF through libexif, XMP through expat, in every
// container, a TIFF's own first directory and a JPEG's extended XMP included, and the people they
// tag). Natively no system codec exists, so a TIFF's pixels are "not a picture" here, while its
// directory and XMP are read as on Windows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "pictures/PeopleChoice.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureSize.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const struct { int Width, Height; } cards[] = {{1, 1}, {7, 5}, {20, 15}, {131, 98}};
    const auto& card = cards[size % 4];
    const PictureFit fit = (size / 4) % 2 == 0 ? PictureFit::Stretch : PictureFit::KeepShape;
    std::vector<uint32_t> pixels;
    if (DecodePictureData(data, size, card.Width, card.Height, fit, &pixels) &&
        pixels.size() != size_t(card.Width) * card.Height)
        std::abort(); // a decode that succeeds gives the whole card
    int width = 0;
    int height = 0;
    if (PictureSizeOfData(data, size, &width, &height) && (width < 1 || height < 1))
        std::abort(); // a size read is a picture's
    const PictureInfo info = ReadPictureInfoData(data, size);
    if (info.Title.size() > MaxTitleBytes || ClipUtf8(info.Title, MaxTitleBytes) != info.Title ||
        (!info.Taken.empty() && info.Taken.size() != 10))
        std::abort(); // a name is bounded and whole, a date is a day
    if (info.People.size() > MaxPeople || info.TaggedFaces.size() > MaxTaggedFaces)
        std::abort(); // the people are bounded however many the tags name
    for (const TaggedPerson& person : info.People) {
        if (person.Name.empty() || person.Name.size() > MaxPersonNameBytes)
            std::abort(); // a person has a name, bounded
    }
    return 0;
}

#include "pictures/FaceFraming.h"

#include "pictures/FaceFinder.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PixelRescale.h"

CardFraming FramedByFaces(const CardFraming& framing, bool unboxedPerson, const std::vector<FaceBox>& faces) {
    CardFraming framed = framing;
    framed.Faces = faces;
    if (unboxedPerson && faces.size() == 1) {
        framed.HasPerson = true;
        framed.Person = faces.front();
    }
    return framed;
}

bool FrameByFaces(const char* path, const CardFraming& framing, bool unboxedPerson, int width, int height,
                  const DecodeStop& stop, bool known, std::vector<FaceBox>* faces,
                  std::vector<uint32_t>* pixels) {
    pixels->clear();
    SearchedPicture searched;
    if (!known && !FindFacesInPicture(path, stop, faces, &searched))
        return false;
    if (faces->empty())
        return true;
    const CardFraming framed = FramedByFaces(framing, unboxedPerson, *faces);
    // A kept shape's part spans the searched picture one way, so it mostly holds the card; a
    // person's, a few face widths across, usually needs the file again.
    const PicturePart part = ShownPart(searched.Width, searched.Height, width, height, framed);
    if (!searched.Pixels.empty() && part.Width >= width && part.Height >= height)
        *pixels = RescalePixels(searched.Pixels, searched.Width, searched.Height, width, height, framed);
    else if (!DecodePicture(path, width, height, framed, pixels, stop))
        pixels->clear();
    return true;
}

#include "pictures/CodecHostMessages.h"

#include <algorithm>
#include <vector>

#include "pictures/PictureFacts.h"
#include "pictures/PictureScale.h"

namespace codec_host {

uint64_t OutputRoom(Op op, int width, int height) {
    switch (op) {
        case Op::Decode:
            if (width < 1 || height < 1 || uint64_t(width) * uint64_t(height) * 4 > MaxDecodeBytes)
                return 0;
            return uint64_t(width) * uint64_t(height) * 4;
        case Op::Blocks:
            return MaxXmpBytes + MaxExifBytes;
        case Op::Voice:
            return MaxVoiceBytes;
        case Op::Size:
        case Op::Quit:
            break;
    }
    return 0;
}

bool ReplyFits(const Request& request, const Reply& reply) {
    if (reply.Serial != request.Serial)
        return false;
    const Status status = Status(reply.Status);
    if (status == Status::NotAPicture || status == Status::Stopped)
        return true;
    if (status != Status::Picture || request.OutputOffset > request.SectionBytes)
        return false;
    const uint64_t room = request.SectionBytes - request.OutputOffset;
    const bool oriented = reply.Orientation >= 1 && reply.Orientation <= 8;
    switch (Op(request.Op)) {
        case Op::Decode:
            return reply.PixelBytes == uint64_t(request.Width) * uint64_t(request.Height) * 4 &&
                   reply.PixelBytes <= room;
        case Op::Size:
            return reply.Width >= 1 && reply.Height >= 1 && oriented;
        case Op::Blocks:
            return reply.XmpBytes <= MaxXmpBytes && reply.ExifBytes <= MaxExifBytes &&
                   reply.XmpBytes + reply.ExifBytes <= room && oriented;
        case Op::Voice:
            // Whole frames of the rate and channels told, none beyond the section or the length.
            return reply.Width >= 8000 && reply.Width <= MaxVoiceRate && (reply.Height == 1 || reply.Height == 2) &&
                   reply.PixelBytes > 0 && reply.PixelBytes % (uint64_t(reply.Height) * 2) == 0 &&
                   reply.PixelBytes <= room &&
                   reply.PixelBytes <= uint64_t(MaxVoiceSeconds) * uint64_t(reply.Width) * uint64_t(reply.Height) * 2;
        case Op::Quit:
            break;
    }
    return false;
}

namespace {

void PutBox(const FaceBox& box, float* to) {
    to[0] = float(box.Left);
    to[1] = float(box.Top);
    to[2] = float(box.Width);
    to[3] = float(box.Height);
}

FaceBox BoxOf(const float* from) {
    return {from[0], from[1], from[2], from[3]};
}

} // namespace

void PutFraming(const CardFraming& framing, Request* request) {
    request->Fit = int32_t(framing.Fit);
    // Only the largest faces count in a framing; which those are, ShownPart chooses again.
    std::vector<FaceBox> faces = framing.Faces;
    std::stable_sort(faces.begin(), faces.end(), [](const FaceBox& a, const FaceBox& b) {
        return a.Width * a.Height > b.Width * b.Height;
    });
    request->FaceCount = int32_t(std::min(faces.size(), MaxFramingFaces));
    for (int32_t i = 0; i < request->FaceCount; ++i)
        PutBox(faces[size_t(i)], request->Faces[i]);
    request->HasPerson = framing.HasPerson ? 1 : 0;
    PutBox(framing.Person, request->Person);
}

CardFraming FramingOf(const Request& request) {
    CardFraming framing(request.Fit == int32_t(PictureFit::KeepShape) ? PictureFit::KeepShape
                                                                      : PictureFit::Stretch);
    const int32_t count = std::clamp(request.FaceCount, int32_t(0), int32_t(MaxFramingFaces));
    for (int32_t i = 0; i < count; ++i)
        framing.Faces.push_back(BoxOf(request.Faces[i]));
    framing.HasPerson = request.HasPerson == 1;
    framing.Person = BoxOf(request.Person);
    return framing;
}

} // namespace codec_host

#include "pictures/CodecHostMessages.h"

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

} // namespace codec_host

#include "pictures/CodecHostServe.h"

#include <cstring>
#include <vector>

#include "pictures/VoiceDecoder.h"
#include "pictures/WicDecoder.h"

using namespace codec_host;

void ServeWithSystemCodecs(const Request& request, const uint8_t* input, uint8_t* output,
                           const DecodeStop& stop, Reply* reply) {
    const size_t size = size_t(request.InputBytes);
    bool picture = false;
    switch (Op(request.Op)) {
        case Op::Decode: {
            std::vector<uint32_t> pixels;
            picture = DecodeWic(input, size, request.Width, request.Height, FramingOf(request),
                                request.Orientation, &pixels, stop);
            if (picture) {
                reply->PixelBytes = pixels.size() * sizeof(uint32_t);
                std::memcpy(output, pixels.data(), size_t(reply->PixelBytes));
            } else if (stop()) {
                reply->Status = uint32_t(Status::Stopped);
                return;
            }
            break;
        }
        case Op::Size:
            picture = WicFrameSize(input, size, request.Orientation, &reply->Width, &reply->Height,
                                   &reply->Orientation);
            break;
        case Op::Blocks: {
            MetadataBlocks blocks;
            ReadWicBlocks(input, size, &blocks, &reply->Orientation);
            reply->XmpBytes = blocks.Xmp.size();
            reply->ExifBytes = blocks.Exif.size();
            std::memcpy(output, blocks.Xmp.data(), blocks.Xmp.size());
            std::memcpy(output + blocks.Xmp.size(), blocks.Exif.data(), blocks.Exif.size());
            picture = true;
            break;
        }
        case Op::Voice: {
            VoiceSound sound;
            picture = DecodeVoice(input, size, VoiceKind(request.Fit), MaxVoiceSeconds, &sound, stop);
            if (picture) {
                reply->Width = sound.Rate;
                reply->Height = sound.Channels;
                reply->PixelBytes = sound.Samples.size() * sizeof(int16_t);
                std::memcpy(output, sound.Samples.data(), size_t(reply->PixelBytes));
            }
            break;
        }
        case Op::Quit:
            break;
    }
    reply->Status = uint32_t(picture ? Status::Picture : Status::NotAPicture);
}

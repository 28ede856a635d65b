// What the game and its codec host say to each other: one small block of memory they share, the
// request written by the game, the reply by the host, and the rules by which the game checks a
// reply before it believes a byte of it. Platform-free, so the checks are tested natively.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pictures/PictureCrop.h"

namespace codec_host {

enum class Op : uint32_t {
    Decode = 1, // the file's pixels for a card: Width x Height 32-bit pixels out
    Size = 2,   // the first frame's stored size and its orientation tag
    Blocks = 3, // the XMP packet and EXIF block as bytes, and the orientation tag
    Quit = 4,   // the game no longer needs this host
    Voice = 5,  // a recording's sound as 16-bit samples, cut at MaxVoiceSeconds
};

// A found pair's recording says a name: what is longer is cut, and a file larger than this is no
// recording (a phone's minute of voice memo is about 1 MB).
constexpr int MaxVoiceSeconds = 20;
constexpr int MaxVoiceRate = 48000;
constexpr uint64_t MaxVoiceFileBytes = uint64_t(16) << 20;
constexpr uint64_t MaxVoiceBytes = uint64_t(MaxVoiceSeconds) * MaxVoiceRate * 2 * sizeof(int16_t);

enum class Status : uint32_t {
    Picture = 1,
    NotAPicture = 2,
    Stopped = 3, // the game asked it to stop part-way
};

// Written by the game before it signals the host. The file's bytes lie at the start of the
// request's own data section; what the host hands back goes at OutputOffset of the same section.
struct Request {
    uint32_t Serial;
    uint32_t Op;
    uint64_t Section; // the host's own handle to the data section
    uint64_t SectionBytes;
    uint64_t InputBytes;
    uint64_t OutputOffset;
    int32_t Width;
    int32_t Height;
    int32_t Fit;         // PictureFit; Voice: the VoiceKind its extension names (rules/VoiceChoice.h)
    int32_t Orientation; // 1..8 as the game read it; 0: the host asks the codec
    // Decode: the faces the card's framing knows and the person it shows (PictureCrop.h).
    int32_t FaceCount;
    int32_t HasPerson;
    float Faces[MaxFramingFaces][4];
    float Person[4];
};

// Written by the host before it signals the game.
struct Reply {
    uint32_t Serial;
    uint32_t Status;
    int32_t Width; // Size: the frame as stored; Voice: samples per second
    int32_t Height; // Voice: channels, 1 or 2
    int32_t Orientation; // Size and Blocks: 1..8
    uint32_t Unused;
    uint64_t PixelBytes; // Decode: the request's Width x Height pixels; Voice: the samples; at OutputOffset
    uint64_t XmpBytes;   // Blocks: at OutputOffset
    uint64_t ExifBytes;  // Blocks: right after the XMP packet
};

struct Channel {
    Request Asked;
    Reply Answered;
    int32_t Stop; // set by the game: end this picture as Stopped
    int32_t Beat; // counted up by the host as it works: a host that stops counting has hung
    // The host's CPU time so far, told by the host itself every few milliseconds (the system does
    // not tell another process everywhere): what a picture costs there counts against its budget.
    int64_t CpuMicroseconds;
};

// The room a request's data section leaves after the file's bytes for what op hands back; 0 for a
// request the game would not make (a card too large, an unknown op).
uint64_t OutputRoom(Op op, int width, int height);

// A card's framing written into a request, its largest faces first, and read back from one; what
// the host reads is bounded whatever the request holds.
void PutFraming(const CardFraming& framing, Request* request);
CardFraming FramingOf(const Request& request);

// Whether reply is one the game can take for request: its own serial, a known status and, for a
// picture, sizes that agree with what was asked and lie within the section. A host that answers
// anything else has gone wrong and is ended.
bool ReplyFits(const Request& request, const Reply& reply);

} // namespace codec_host

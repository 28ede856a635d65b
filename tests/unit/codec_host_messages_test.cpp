// The game believes nothing its codec host writes until the reply fits what was asked.
#include "pictures/CodecHostMessages.h"

#include <gtest/gtest.h>

#include "pictures/PictureFacts.h"

namespace {

using namespace codec_host;

Request Asked(Op op, int width, int height) {
    Request request = {};
    request.Serial = 7;
    request.Op = uint32_t(op);
    request.InputBytes = 1000;
    request.OutputOffset = 4096;
    request.SectionBytes = request.OutputOffset + OutputRoom(op, width, height);
    request.Width = width;
    request.Height = height;
    return request;
}

Reply Answer(Status status) {
    Reply reply = {};
    reply.Serial = 7;
    reply.Status = uint32_t(status);
    reply.Orientation = 1;
    return reply;
}

TEST(CodecHostMessages, RepliesAreTakenOnlyWhenTheyFitTheRequest) {
    const Request decode = Asked(Op::Decode, 40, 30);
    Reply pixels = Answer(Status::Picture);
    pixels.PixelBytes = 40 * 30 * 4;
    EXPECT_TRUE(ReplyFits(decode, pixels));
    EXPECT_TRUE(ReplyFits(decode, Answer(Status::NotAPicture)));
    EXPECT_TRUE(ReplyFits(decode, Answer(Status::Stopped)));

    Reply late = pixels;
    late.Serial = 6;
    EXPECT_FALSE(ReplyFits(decode, late)) << "a reply to an earlier request";
    Reply unknown = pixels;
    unknown.Status = 9;
    EXPECT_FALSE(ReplyFits(decode, unknown));
    Reply short_ = pixels;
    short_.PixelBytes -= 4;
    EXPECT_FALSE(ReplyFits(decode, short_)) << "fewer pixels than the card has";
    Request squeezed = decode;
    squeezed.SectionBytes -= 4;
    EXPECT_FALSE(ReplyFits(squeezed, pixels)) << "pixels past the section";

    const Request size = Asked(Op::Size, 0, 0);
    Reply frame = Answer(Status::Picture);
    frame.Width = 4000;
    frame.Height = 3000;
    frame.Orientation = 6;
    EXPECT_TRUE(ReplyFits(size, frame));
    for (const auto& bad : {Reply{7, 1, 0, 3000, 6, 0, 0, 0, 0}, Reply{7, 1, 4000, -1, 6, 0, 0, 0, 0},
                            Reply{7, 1, 4000, 3000, 9, 0, 0, 0, 0}})
        EXPECT_FALSE(ReplyFits(size, bad)) << bad.Width << "x" << bad.Height << " turned " << bad.Orientation;

    const Request blocks = Asked(Op::Blocks, 0, 0);
    Reply metadata = Answer(Status::Picture);
    metadata.XmpBytes = MaxXmpBytes;
    metadata.ExifBytes = MaxExifBytes;
    EXPECT_TRUE(ReplyFits(blocks, metadata));
    metadata.XmpBytes = MaxXmpBytes + 1;
    metadata.ExifBytes = 0;
    EXPECT_FALSE(ReplyFits(blocks, metadata)) << "a packet larger than any the game reads";
    metadata.XmpBytes = ~uint64_t(0) - 2;
    metadata.ExifBytes = 5;
    EXPECT_FALSE(ReplyFits(blocks, metadata)) << "lengths whose sum wraps";
}

// A recording's samples: whole frames, of a rate and channels the game plays, within its length.
TEST(CodecHostMessages, VoiceRepliesAreWholeFramesWithinTheLength) {
    const Request voice = Asked(Op::Voice, 0, 0);
    const auto sound = [](int rate, int channels, uint64_t bytes) {
        Reply reply = Answer(Status::Picture);
        reply.Width = rate;
        reply.Height = channels;
        reply.PixelBytes = bytes;
        return reply;
    };
    EXPECT_TRUE(ReplyFits(voice, sound(44100, 1, 44100 * 2)));
    EXPECT_TRUE(ReplyFits(voice, sound(MaxVoiceRate, 2, MaxVoiceBytes)));
    EXPECT_TRUE(ReplyFits(voice, Answer(Status::NotAPicture)));
    const struct {
        Reply Bad;
        const char* Why;
    } cases[] = {
        {sound(44100, 2, 6), "half a stereo frame"},
        {sound(44100, 1, 0), "no samples"},
        {sound(44100, 3, 12), "three channels"},
        {sound(4000, 1, 8000), "a rate below speech"},
        {sound(96000, 1, 2000), "a rate above any the room is made for"},
        {sound(8000, 1, uint64_t(MaxVoiceSeconds) * 8000 * 2 + 2), "longer than a voice is played"},
        {sound(MaxVoiceRate, 2, MaxVoiceBytes + 4), "past the section"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ReplyFits(voice, c.Bad)) << c.Why;
}

TEST(CodecHostMessages, NoRoomForCardsLargerThanAPictureMayBe) {
    EXPECT_EQ(OutputRoom(Op::Decode, 0, 30), 0u);
    EXPECT_EQ(OutputRoom(Op::Decode, 100000, 100000), 0u);
    EXPECT_EQ(OutputRoom(Op::Decode, 2, 3), 24u);
    EXPECT_EQ(OutputRoom(Op::Quit, 2, 3), 0u);
}

// A card's framing reaches the host with its largest faces, and a request the host cannot trust
// gives it no more faces than a framing weighs and no person it was not told of.
TEST(CodecHostMessages, AFramingCrossesWithItsLargestFaces) {
    CardFraming framing(PictureFit::KeepShape);
    for (int i = 0; i < 12; ++i)
        framing.Faces.push_back({0.05 * i, 0.1, 0.01 * (i + 1), 0.02});
    framing.HasPerson = true;
    framing.Person = {0.25, 0.5, 0.125, 0.25};
    Request request = {};
    PutFraming(framing, &request);
    const CardFraming read = FramingOf(request);
    EXPECT_EQ(read.Fit, PictureFit::KeepShape);
    ASSERT_EQ(read.Faces.size(), MaxFramingFaces);
    EXPECT_NEAR(read.Faces.front().Width, 0.12, 1e-6);
    EXPECT_NEAR(read.Faces.back().Width, 0.05, 1e-6);
    EXPECT_TRUE(read.HasPerson);
    EXPECT_NEAR(read.Person.Left, 0.25, 1e-6);
    request.FaceCount = 1000;
    request.HasPerson = 7;
    request.Fit = 99;
    const CardFraming wild = FramingOf(request);
    EXPECT_EQ(wild.Faces.size(), MaxFramingFaces);
    EXPECT_FALSE(wild.HasPerson);
    EXPECT_EQ(wild.Fit, PictureFit::Stretch);
    request.FaceCount = -5;
    EXPECT_TRUE(FramingOf(request).Faces.empty());
}

} // namespace

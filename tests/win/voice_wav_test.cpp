// A plain WAVE file read through winmm, without Windows' codecs: what a phone or a PC records, and
// what a damaged or foreign file gives (nothing).
#include "pictures/VoiceWav.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Put32(std::string* to, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        to->push_back(char(v >> (8 * i)));
}

void Put16(std::string* to, uint16_t v) {
    to->push_back(char(v));
    to->push_back(char(v >> 8));
}

std::string Chunk(const char* id, const std::string& body) {
    std::string chunk(id, 4);
    Put32(&chunk, uint32_t(body.size()));
    return chunk + body + (body.size() % 2 == 1 ? std::string(1, '\0') : std::string());
}

std::string Format(uint16_t tag, int channels, uint32_t rate, int bits) {
    std::string body;
    Put16(&body, tag);
    Put16(&body, uint16_t(channels));
    Put32(&body, rate);
    Put32(&body, rate * uint32_t(channels * bits / 8));
    Put16(&body, uint16_t(channels * bits / 8));
    Put16(&body, uint16_t(bits));
    return Chunk("fmt ", body);
}

std::string Wave(const std::string& chunks) {
    std::string file = "RIFF";
    Put32(&file, uint32_t(4 + chunks.size()));
    return file + "WAVE" + chunks;
}

std::string Samples16(std::initializer_list<int16_t> values) {
    std::string body;
    for (const int16_t v : values)
        Put16(&body, uint16_t(v));
    return body;
}

bool Read(const std::string& file, VoiceSound* sound, int maxSeconds = 20) {
    return ReadWav(reinterpret_cast<const uint8_t*>(file.data()), file.size(), maxSeconds, sound);
}

} // namespace

TEST(VoiceWav, PcmRecordingsReadAs16BitSamples) {
    VoiceSound sound;
    ASSERT_TRUE(Read(Wave(Format(1, 2, 44100, 16) + Chunk("LIST", "abc") + Chunk("data", Samples16({1, -2, 300, -32768}))),
                     &sound));
    EXPECT_EQ(sound.Rate, 44100);
    EXPECT_EQ(sound.Channels, 2);
    EXPECT_EQ(sound.Samples, (std::vector<int16_t>{1, -2, 300, -32768}));

    VoiceSound eight;
    ASSERT_TRUE(Read(Wave(Format(1, 1, 8000, 8) + Chunk("data", std::string("\x80\xff\x00", 3))), &eight));
    EXPECT_EQ(eight.Samples, (std::vector<int16_t>{0, 127 * 256, -128 * 256}));

    VoiceSound cutShort;
    std::string truncated = Wave(Format(1, 1, 16000, 16) + Chunk("data", Samples16({5, 6, 7, 8})));
    truncated.resize(truncated.size() - 3);
    ASSERT_TRUE(Read(truncated, &cutShort)) << "a recording cut short plays what is there";
    EXPECT_EQ(cutShort.Samples, (std::vector<int16_t>{5, 6}));

    VoiceSound long_;
    ASSERT_TRUE(Read(Wave(Format(1, 1, 8000, 16) + Chunk("data", std::string(8000 * 2 * 3, '\1'))), &long_, 2));
    EXPECT_EQ(long_.Samples.size(), 8000u * 2) << "cut at the longest a voice plays";
}

TEST(VoiceWav, AnythingElseIsNoRecording) {
    const std::string data = Chunk("data", Samples16({1, 2}));
    const struct {
        std::string File;
        const char* Why;
    } cases[] = {
        {"", "empty"},
        {std::string("RIFF\x04\0\0\0WAVE", 12), "no chunks"},
        {Wave(data), "samples before any format"},
        {Wave(Format(1, 1, 16000, 16)), "no samples"},
        {Wave(Format(1, 1, 16000, 16) + Chunk("data", "")), "an empty data chunk"},
        {Wave(Format(2, 1, 16000, 4) + data), "ADPCM"},
        {Wave(Format(1, 1, 16000, 24) + data), "24 bits"},
        {Wave(Format(1, 6, 48000, 16) + data), "six channels"},
        {Wave(Format(1, 0, 16000, 16) + data), "no channels"},
        {Wave(Format(1, 1, 4000, 16) + data), "a rate too low to speak"},
        {Wave(Format(1, 1, 4000000, 16) + data), "a rate beyond any device"},
        {Wave(Chunk("fmt ", "\1\0\1\0")), "a format cut short"},
        {std::string("RIFF\x10\0\0\0AVI LIST", 16), "another RIFF"},
        {std::string("ID3\x03\0\0\0\0\0\0 an mp3", 17), "an mp3"},
    };
    for (const auto& c : cases) {
        VoiceSound sound;
        EXPECT_FALSE(Read(c.File, &sound)) << c.Why;
    }
}

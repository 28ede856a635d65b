// A found pair's recording, chosen beside its picture, decoded in the real codec host and handed to
// the player, which here records the call: what a folder holds decides what is said, and a hostile
// sound file costs nothing but silence.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "board/CardPictures.h"
#include "board/NewRound.h"
#include "board/TurnCard.h"
#include "board/Voice.h"
#include "board/VoiceSpeech.h"
#include "pictures/CodecHost.h"
#include "rules/CardTitles.h"
#include "rules/GameState.h"
#include "tests/driver/Driver.h"
#include "tests/win/WinTestSupport.h"

namespace {

std::vector<VoiceSound> Played;
std::vector<std::wstring> Spoken;

bool Record(const VoiceSound& sound) {
    Played.push_back(sound);
    return true;
}

bool RecordName(const std::wstring& name) {
    Spoken.push_back(name);
    return true;
}

// A WAVE file of the samples; tag 1 is PCM, 3 is 32-bit float (the samples scaled to -1..1).
std::string Wave(int tag, int channels, int rate, const std::vector<int16_t>& samples) {
    const int bits = tag == 3 ? 32 : 16;
    std::string data;
    for (const int16_t sample : samples) {
        if (tag == 3) {
            const float value = float(sample) / 32768.0f;
            data.append(reinterpret_cast<const char*>(&value), 4);
        } else {
            data.append(reinterpret_cast<const char*>(&sample), 2);
        }
    }
    const auto le = [](uint32_t v, int bytes) { return std::string(reinterpret_cast<const char*>(&v), size_t(bytes)); };
    const std::string format = le(uint32_t(tag), 2) + le(uint32_t(channels), 2) + le(uint32_t(rate), 4) +
                               le(uint32_t(rate * channels * bits / 8), 4) + le(uint32_t(channels * bits / 8), 2) +
                               le(uint32_t(bits), 2);
    const std::string body = "WAVEfmt " + le(16, 4) + format + "data" + le(uint32_t(data.size()), 4) + data;
    return "RIFF" + le(uint32_t(body.size()), 4) + body;
}

std::vector<int16_t> Tone(size_t count, int step) {
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = int16_t(std::lround(12000 * std::sin(double(i) / step)));
    return samples;
}

class Voice : public testing::Test {
protected:
    void SetUp() override {
        Played.clear();
        Spoken.clear();
        SetVoicePlayer(Record);
        SetNameSpeaker(RecordName);
    }
    void TearDown() override {
        StopVoice();
        SetVoicePlayer(nullptr);
        SetNameSpeaker(nullptr);
        SetCodecHostProgram(L"");
    }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(std::filesystem::u8path(Folder.File(name)), std::ios::binary) << bytes;
    }
    // What the picture says, through the whole path from its folder to the player.
    std::vector<VoiceSound> Say(const std::string& picture, const std::string& person) {
        Played.clear();
        SayRecording(Folder.File(picture), person, false);
        SettleVoice();
        return Played;
    }

    yw::TempFolder Folder{"voices"};
};

TEST_F(Voice, ThePicturesRecordingElseThePersonsIsDecodedAndPlayed) {
    const std::vector<int16_t> mono = Tone(16000, 7);
    const std::vector<int16_t> stereo = Tone(2 * 22050, 3);
    Write("IMG_1234.WAV", Wave(1, 1, 16000, mono));
    Write("Grandma.wav", Wave(1, 2, 22050, stereo));
    Write("\xC5\x81ucja.wav", Wave(1, 1, 8000, Tone(800, 5)));

    std::vector<VoiceSound> heard = Say("IMG_1234.jpg", "Grandma");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].Rate, 16000);
    EXPECT_EQ(heard[0].Channels, 1);
    EXPECT_EQ(heard[0].Samples, mono);

    heard = Say("IMG_5678.jpg", "Grandma");
    ASSERT_EQ(heard.size(), 1u) << "the person's name, where the picture has none of its own";
    EXPECT_EQ(heard[0].Rate, 22050);
    EXPECT_EQ(heard[0].Channels, 2);
    EXPECT_EQ(heard[0].Samples, stereo);

    heard = Say("IMG_5678.jpg", "\xC5\x81ucja");
    ASSERT_EQ(heard.size(), 1u) << "a name beyond the code page";
    EXPECT_EQ(heard[0].Samples.size(), 800u);

    EXPECT_TRUE(Say("IMG_5678.jpg", "").empty()) << "nobody named and no recording";
    EXPECT_TRUE(Say("Opa.jpg", "Opa").empty());
}

// Each file is read by the real host and none reaches the player. Under Wine 8 the JPEG told to be
// audio/mp4 hangs Media Foundation (GStreamer finds no decoder and never says so): its host is
// ended after its 10 s of silence.
TEST_F(Voice, HostileSoundFilesGiveSilenceAndNothingElse) {
    const std::string good = Wave(1, 1, 16000, Tone(1600, 4));
    Write("Empty.wav", "");
    Write("Truncated.wav", good.substr(0, 30));
    Write("Picture.m4a", "\xFF\xD8\xFF\xE0" + std::string(4000, '\x11'));
    Write("Noise.mp3", std::string(50000, '\x5A'));
    Write("Wma.wma", std::string("0&\xB2\x75\x8E\x66\xCF\x11", 8) + std::string(300, '\0'));
    Write("Header.wav", good.substr(0, 44));
    std::filesystem::create_directory(std::filesystem::u8path(Folder.File("Folder.wav")));
    {
        // 17 MB, past the largest recording read: sparse, so quick to make.
        std::ofstream huge(std::filesystem::u8path(Folder.File("Huge.wav")), std::ios::binary);
        huge << good;
        huge.seekp(17 << 20);
        huge << 'x';
    }
    Write("Good.wav", good);
    for (const char* name : {"Empty", "Truncated", "Picture", "Noise", "Wma", "Header", "Folder", "Huge"}) {
        EXPECT_TRUE(Say(std::string(name) + ".jpg", "").empty()) << name;
        EXPECT_EQ(Say("Good.jpg", "").size(), 1u) << "after " << name;
    }
}

// A codec that crashes on a recording costs that voice; the next one starts another host.
TEST_F(Voice, AHostLostToARecordingCostsThatVoiceOnly) {
    const std::string program = yw::ProgramFolder() + "\\misbehaving_codec_host.exe";
    SetCodecHostProgram(std::wstring(program.begin(), program.end()));
    Write("Crash.wav", "YW-CRASH" + std::string(64, 'x'));
    Write("Garbage.wav", "YW-GARBAGE" + std::string(64, 'x'));
    Write("Good.wav", Wave(1, 1, 16000, Tone(1600, 4)));
    for (const char* name : {"Crash", "Garbage"}) {
        const unsigned hosts = CodecHostsStarted();
        EXPECT_TRUE(Say(std::string(name) + ".jpg", "").empty()) << name;
        EXPECT_EQ(Say("Good.jpg", "").size(), 1u) << "after " << name;
        EXPECT_GT(CodecHostsStarted(), hosts) << "the host lost to " << name << " is started again";
    }
}

// A WAVE file our reader does not take (32-bit float) goes to Windows' Media Foundation. Wine 8
// reaches it through GStreamer's WAVE parser; where that is missing the voice is silent.
TEST_F(Voice, MediaFoundationDecodesWhatOurReaderDoesNot) {
    const std::vector<int16_t> samples = Tone(4000, 6);
    Write("Float.wav", Wave(3, 1, 16000, samples));
    const std::vector<VoiceSound> heard = Say("Float.jpg", "");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].Rate, 16000);
    EXPECT_EQ(heard[0].Channels, 1);
    ASSERT_EQ(heard[0].Samples.size(), samples.size());
    for (size_t i = 0; i < samples.size(); i += 97)
        EXPECT_NEAR(heard[0].Samples[i], samples[i], 2) << i;
}

// The voice's news reaches the window as a message; the test's thread is the window's.
void DeliverPosted() {
    SettleVoice();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

// Through the game: pair 1 found by two turned cards says its picture's recording in a calm round
// and nothing in a counted one; with Say names aloud, in any round, the system's voice says the
// name where no recording does, but not while a screen reader runs.
TEST_F(Voice, AFoundPairSaysItsRecordingElseItsName) {
    ScopedGame game;
    PictureList.clear();
    int picture = 0;
    for (const char* name : {"Grandma.jpg", "Opa.bmp", "Anna.bmp"}) {
        const char* colours[] = {"0000ff.jpg", "008000.bmp", "000080.bmp"};
        std::filesystem::copy_file(yw::ProgramFolder() + "\\test-pictures\\" + colours[picture], Folder.File(name));
        PictureList.push_back(Folder.File(name));
        // Told apart by their lengths: 1000, 2000 and 3000 samples.
        Write(PictureTitle(name) + ".wav", Wave(1, 1, 16000, Tone(size_t(1000 * ++picture), 5)));
    }
    Level = 1;
    const auto findPairOne = [](const char* round) {
        DealRound(7, nullptr);
        std::vector<Cell> pair;
        for (int column = 0; column < Columns; ++column)
            for (int row = 0; row < Rows; ++row)
                if (Board[column][row] == 1)
                    pair.push_back({column, row});
        EXPECT_EQ(pair.size(), 2u) << round;
        Played.clear();
        Spoken.clear();
        TurnCard(pair[0]);
        TurnCard(pair[1]);
        DeliverPosted();
        return PictureTitle(KeptPictures[PictureOfCard(pair[0])].Path);
    };
    Calm = 1;
    std::string found = findPairOne("calm");
    ASSERT_EQ(Played.size(), 1u);
    EXPECT_EQ(Played[0].Samples.size(), found == "Grandma" ? 1000u : found == "Opa" ? 2000u : 3000u) << found;
    EXPECT_TRUE(Spoken.empty());

    Calm = 0;
    findPairOne("counted");
    EXPECT_TRUE(Played.empty() && Spoken.empty()) << "a counted round is not spoken to";

    SayNames = 1;
    for (const char* name : {"Grandma", "Opa", "Anna"})
        std::filesystem::remove(std::filesystem::u8path(Folder.File(std::string(name) + ".wav")));
    found = findPairOne("names aloud");
    EXPECT_TRUE(Played.empty());
    EXPECT_EQ(Spoken, std::vector<std::wstring>({std::wstring(found.begin(), found.end())}));

    SystemParametersInfoW(SPI_SETSCREENREADER, TRUE, nullptr, 0);
    findPairOne("a screen reader");
    EXPECT_TRUE(Spoken.empty()) << "the reader says the names itself";
    SystemParametersInfoW(SPI_SETSCREENREADER, FALSE, nullptr, 0);
    SayNames = 0;
    PictureList.clear();
}

} // namespace

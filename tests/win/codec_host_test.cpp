// Windows' codecs run in a host process of their own: whatever goes wrong in it costs one picture,
// never the game, and the next picture starts another host. The host here is a test's own that goes
// wrong when a file asks it to (misbehaving_codec_host.cpp).
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "pictures/CodecHost.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureDecoder.h"
#include "pictures/ThreadCpuTime.h"
#include "tests/driver/Driver.h"

namespace {

class CodecHost : public testing::Test {
protected:
    void SetUp() override {
        const std::string program = yw::ProgramFolder() + "\\misbehaving_codec_host.exe";
        SetCodecHostProgram(std::wstring(program.begin(), program.end()));
        for (const char* word : {"YW-CRASH", "YW-HANG", "YW-SPIN", "YW-GARBAGE"})
            std::ofstream(Folder.File(std::string(word) + ".jpg"), std::ios::binary)
                << word << std::string(64, 'x');
    }
    void TearDown() override { SetCodecHostProgram(L""); }

    static std::string Tiff(const char* name) {
        return yw::ProgramFolder() + "\\tiff-pictures\\" + name + ".tif";
    }
    std::string Asking(const char* word) const { return Folder.File(std::string(word) + ".jpg"); }

    // Each case on a thread of its own, which has a host of its own.
    template <typename Case> static void OnFreshThread(Case run) { std::thread(run).join(); }

    yw::TempFolder Folder{"codec-host"};
};

uint32_t Colour(const std::string& path) {
    std::vector<uint32_t> pixels;
    return DecodePicture(path.c_str(), 2, 2, PictureFit::Stretch, &pixels) ? pixels[0] : 0xFFFFFFFFu;
}

TEST_F(CodecHost, ACrashOrGarbageCostsOnePictureAndTheNextStartsAnother) {
    OnFreshThread([&] {
        const unsigned before = CodecHostsStarted();
        EXPECT_EQ(Colour(Tiff("c04000-LZW-TopLeft")), 0xC04000u);
        EXPECT_EQ(CodecHostsStarted(), before + 1);
        for (const char* word : {"YW-CRASH", "YW-GARBAGE"}) {
            const unsigned started = CodecHostsStarted();
            std::vector<uint32_t> pixels;
            EXPECT_FALSE(DecodePicture(Asking(word).c_str(), 2, 2, PictureFit::Stretch, &pixels)) << word;
            EXPECT_EQ(Colour(Tiff("40c000-None-RightTop")), 0x40C000u) << "after " << word;
            EXPECT_EQ(CodecHostsStarted(), started + 1) << "the host lost to " << word << " is started again";
        }
    });
}

TEST_F(CodecHost, ABatchDealsFromTheOthersWhenHostsCrash) {
    const std::vector<std::string> paths = {
        Tiff("c04000-LZW-TopLeft"),  Asking("YW-CRASH"), Tiff("40c000-None-RightTop"), Asking("YW-GARBAGE"),
        Tiff("0040c0-LZW-RightTop"), Asking("YW-CRASH"), Tiff("c00040-None-TopLeft")};
    const std::vector<DecodedPicture> pictures = DecodeFirstPictures(paths, 4, 4, 4, PictureFit::Stretch, 2);
    std::vector<size_t> entries;
    for (const DecodedPicture& picture : pictures)
        entries.push_back(picture.Entry);
    EXPECT_EQ(entries, (std::vector<size_t>{0, 2, 4, 6}));
}

// Silent: it is ended once it has neither answered nor worked for the host's silence limit.
TEST_F(CodecHost, AHostThatHangsIsEndedAndThePictureSkipped) {
    OnFreshThread([&] {
        std::vector<uint32_t> pixels;
        const ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(DecodePicture(Asking("YW-HANG").c_str(), 2, 2, PictureFit::Stretch, &pixels));
        EXPECT_GE(GetTickCount64() - start, CodecHostSilenceMs);
        EXPECT_EQ(Colour(Tiff("0040c0-LZW-RightTop")), 0x0040C0u);
    });
}

// Busy: its CPU time is the picture's, so a budget stops it, and one that will not stop is ended.
TEST_F(CodecHost, AHostsCpuTimeCountsAgainstThePicturesBudget) {
    OnFreshThread([&] {
        const double start = ThreadCpuSeconds();
        const DecodeStop overBudget{[start] { return ThreadCpuSeconds() - start > 0.5; }};
        std::vector<uint32_t> pixels;
        EXPECT_FALSE(
            DecodePicture(Asking("YW-SPIN").c_str(), 2, 2, PictureFit::Stretch, &pixels, overBudget));
        EXPECT_GT(ThreadCpuSeconds() - start, 0.5);
        EXPECT_EQ(Colour(Tiff("c00040-None-TopLeft")), 0xC00040u);
    });
}

} // namespace

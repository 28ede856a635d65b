// The record of pictures read when a run ended, in the test prefix's registry: runs of this test
// program killed while reading count once they are over and never while they run; a picture read at
// two such ends is left out until it changes or the player lets it back in; reads that ended, and a
// run's own end, leave nothing behind; and the decoders and readers tell of every file they read.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/CrashRecord.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureReading.h"
#include "tests/driver/Driver.h"

namespace {

using Paths = std::vector<std::string>;

// The file a run started by KillWhileReading reads until it is killed.
// Through the wide calls: Wine's ANSI ones cut a UTF-8 text by its count of UTF-16 units.
const wchar_t ReadPathVariable[] = L"YW_READ_UNTIL_KILLED";

class CrashRecordTest : public testing::Test {
protected:
    void SetUp() override {
        yw::ClearSettings();
        std::filesystem::copy_file(yw::ProgramFolder() + "\\test-pictures\\ff0000.jpg",
                                   std::filesystem::u8path(picture));
    }
    void TearDown() override {
        CloseCrashRecord();
        yw::ClearSettings();
    }

    // Another run of the program reads the picture and is killed at it. While it runs, its note
    // is there and a start-up counts nothing of it.
    void KillWhileReading() {
        OpenCrashRecord(); // the note of a run killed before goes first
        const Paths before = PicturesLeftOut();
        SetEnvironmentVariableW(ReadPathVariable, yw::Wide(picture).c_str());
        yw::GameProcess run(yw::ProgramFolder() + "\\win_tests.exe",
                            "--gtest_also_run_disabled_tests --gtest_filter=CrashRecordRun.DISABLED_ReadsUntilKilled");
        SetEnvironmentVariableW(ReadPathVariable, nullptr);
        ASSERT_TRUE(yw::WaitUntil([] { return !yw::PicturesBeingRead().empty(); })) << "no note of the read";
        EXPECT_EQ(yw::PicturesBeingRead(), Paths{picture});
        OpenCrashRecord();
        EXPECT_EQ(PicturesLeftOut(), before) << "a run that still reads counted";
        EXPECT_EQ(yw::PicturesBeingRead(), Paths{picture}) << "a running game's note taken";
        TerminateProcess(run.Info.hProcess, 3);
        ASSERT_EQ(WaitForSingleObject(run.Info.hProcess, yw::WaitMs), WAIT_OBJECT_0);
    }

    yw::TempFolder folder{" \xC5\x81\xC3\xB3" "d\xC5\xBA"};
    const std::string picture = folder.File("kill.jpg");
    const std::string other = folder.File("other.jpg");
};

// The other run: notes the picture and holds it until killed.
TEST(CrashRecordRun, DISABLED_ReadsUntilKilled) {
    wchar_t path[1024] = L"";
    ASSERT_GT(GetEnvironmentVariableW(ReadPathVariable, path, 1024), 0u);
    OpenCrashRecord();
    const PictureReading reading(yw::Utf8(path).c_str());
    for (;;)
        Sleep(1000);
}

TEST_F(CrashRecordTest, TwoEndsLeaveAPictureOutUntilItChangesOrIsLetIn) {
    KillWhileReading();
    OpenCrashRecord();
    EXPECT_TRUE(PicturesLeftOut().empty()) << "left out after one end";
    EXPECT_TRUE(yw::PicturesBeingRead().empty()) << "the killed run's note kept";
    KillWhileReading();
    OpenCrashRecord();
    EXPECT_EQ(PicturesLeftOut(), Paths{picture});
    EXPECT_TRUE(LeftOutAfterCrashes(picture));
    EXPECT_FALSE(LeftOutAfterCrashes(other));
    Paths scanned = {other, picture};
    LeaveOutCrashed(&scanned);
    EXPECT_EQ(scanned, Paths{other});
    OpenCrashRecord();
    EXPECT_EQ(PicturesLeftOut(), Paths{picture}) << "not kept from one start to the next";

    // A new write time is another picture: back in at once, and at the next start.
    const HANDLE file = CreateFileW(yw::Wide(picture).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &now));
    CloseHandle(file);
    EXPECT_FALSE(LeftOutAfterCrashes(picture));
    OpenCrashRecord();
    EXPECT_TRUE(PicturesLeftOut().empty());

    // Left out again, and let back in by the player.
    KillWhileReading();
    KillWhileReading();
    OpenCrashRecord();
    EXPECT_EQ(PicturesLeftOut(), Paths{picture}) << "the ends before the change were not forgotten";
    EXPECT_EQ(LetPicturesBackIn(), Paths{picture});
    EXPECT_FALSE(LeftOutAfterCrashes(picture));
    OpenCrashRecord();
    EXPECT_TRUE(PicturesLeftOut().empty());
}

TEST_F(CrashRecordTest, ReadsThatEndedAndTheRunsOwnEndLeaveNoNote) {
    OpenCrashRecord();
    {
        const PictureReading reading(picture.c_str());
        { const PictureReading again(picture.c_str()); }
        EXPECT_EQ(yw::PicturesBeingRead(), Paths{picture}) << "a read of the file under way forgotten";
    }
    EXPECT_TRUE(yw::PicturesBeingRead().empty());
    const PictureReading unfinished(picture.c_str());
    EXPECT_EQ(yw::PicturesBeingRead(), Paths{picture});
    CloseCrashRecord();
    EXPECT_TRUE(yw::PicturesBeingRead().empty()) << "the run's end left its note";
}

// Whoever reads a picture by path tells the recorder before and after: a deal's decode, a title.
TEST(CrashRecordSeam, DecodesAndTitleReadsAreTold) {
    struct Spy : ReadingRecorder {
        void Begin(const std::string& path) override { Told.push_back("+" + path); }
        void End(const std::string& path) override { Told.push_back("-" + path); }
        Paths Told;
    } spy;
    const std::string red = yw::ProgramFolder() + "\\test-pictures\\ff0000.jpg";
    const std::string titled = yw::ProgramFolder() + "\\wic-pictures\\titled.tif";
    std::vector<uint32_t> pixels;
    SetReadingRecorder(&spy);
    EXPECT_TRUE(DecodePicture(red.c_str(), 4, 4, PictureFit::Stretch, &pixels));
    ReadPictureInfo(titled);
    SetReadingRecorder(nullptr);
    EXPECT_EQ(spy.Told, (Paths{"+" + red, "-" + red, "+" + titled, "-" + titled}));
}

} // namespace

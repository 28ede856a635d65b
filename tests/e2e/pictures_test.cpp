// Journeys of pictures the game's own decoders do not read, and of files built to stall a deal.
#include <tlhelp32.h>

#include <chrono>
#include <fstream>
#include <iterator>

#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

namespace fs = std::filesystem;

// Four JPEGs, four HEICs and ten TIFFs (LZW and uncompressed, half of them turned by their tag), which
// only Windows' codecs read and only start-up's list of their extensions finds: a whole round at
// level 4 shows each of the 18 pictures on a pair of cards.
TEST_F(Journey, TiffsHeicsAndJpegsDealtWholeAtLevel4) {
    for (const std::string from : {"test-pictures", "tiff-pictures", "heif-pictures"}) {
        for (const auto& made : fs::directory_iterator(yw::ProgramFolder() + "\\" + from)) {
            const std::string name = made.path().filename().string(), type = made.path().extension().string();
            // Named by their colour: "c04000-LZW-TopLeft.tif", "804000.heic".
            const bool coloured = name.find_first_not_of("0123456789abcdef") == 6;
            if ((type == ".jpg" || type == ".heic" || type == ".tif") && coloured) {
                CopyIn(from + "\\" + name, name);
                colours.push_back(std::stoul(name, nullptr, 16));
            }
        }
    }
    ASSERT_EQ(colours.size(), 18u);
    yw::WriteSettings(folder.Path(), 4);
    ASSERT_TRUE(Start(4) && WaitBoard({}));
    const int tries = PlayRound();
    ASSERT_GE(tries, 0) << "the board did not show what the clicks did";
    EXPECT_EQ(PicturesSeen(), 18u) << "not every picture dealt";
    Answer(tries, IDNO);
}

// Closing the window or Exit while a deal decodes ends the game at once (code 0, settings stored):
// the next deal, decoded ahead of a board of large pictures, the workers stopped after their
// picture; and a first deal of 18 slow pictures (seconds each, and a folder of nothing else deals
// them all), the workers leaving them part-way.
TEST_F(Journey, ClosingTheWindowWhileADealDecodes) {
    colours = {0x4080c0}; // the large picture's
    for (const std::string picture : {"large-picture.png", "slow-picture.jpg"}) {
        const int level = picture[0] == 'l' ? 1 : 4;
        for (int i = 0; i < 18; ++i)
            CopyIn(picture, std::to_string(i) + picture.substr(picture.size() - 4));
        for (const int command : {0, IDM_EXIT}) {
            yw::WriteSettings(folder.Path(), level);
            ASSERT_TRUE(Start(level) && (level == 4 || WaitBoard({})));
            const auto begin = std::chrono::steady_clock::now();
            PostMessageA(window, command == 0 ? WM_CLOSE : WM_COMMAND, command, 0);
            EXPECT_TRUE(StoredLevel(level))
                << "still running, crashed or nothing stored: " << picture << command;
            EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 5.0)
                << picture << " " << command;
        }
        for (const auto& file : fs::directory_iterator(fs::u8path(folder.Path())))
            fs::remove(file.path());
    }
}

// The game's codec hosts now running, by process id.
std::set<DWORD> CodecHosts() {
    std::set<DWORD> hosts;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (_stricmp(entry.szExeFile, "YorewindCodecs.exe") == 0)
            hosts.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return hosts;
}

// A TIFF named .jpg whose first directory names itself as the next, the damage that crashed the
// system codecs' metadata reader when the game asked it for a title in its own process. With it and
// 17 good pictures, "A picture and its name" at level 4 deals all 18 every time: ten deals by More,
// each turned up by a screen reader, and the game lives. Killed, it leaves none of its codec hosts.
TEST_F(Journey, ADamagedTiffAmongPhotosEndsNoDeal) {
    const char* const names[] = {"Alba", "Bruno", "Clara", "Dora", "Emil", "Fritz", "Greta", "Hugo", "Ida",
                                 "Jonas", "Karla", "Lena", "Mia", "Nils", "Olga", "Paul", "Rosa"};
    size_t next = 0;
    for (const auto& made : fs::directory_iterator(yw::ProgramFolder() + "\\test-pictures")) {
        if (next < std::size(names))
            CopyIn("test-pictures\\" + made.path().filename().string(),
                   names[next++] + made.path().extension().string());
    }
    ASSERT_EQ(next, std::size(names));
    CopyIn("tiff-pictures\\c04000-LZW-TopLeft.tif", "Broken.jpg");
    std::fstream tiff(fs::u8path(folder.File("Broken.jpg")), std::ios::binary | std::ios::in | std::ios::out);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(tiff)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(bytes.size() > 8 && bytes[0] == 'I' && bytes[1] == 'I');
    const auto number = [&](size_t at, int width) {
        uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = value << 8 | bytes.at(at + size_t(i));
        return value;
    };
    const uint32_t first = number(4, 4);
    tiff.seekp(std::streamoff(first + 2 + 12 * number(first, 2)));
    const char self[4] = {char(first), char(first >> 8), char(first >> 16), char(first >> 24)};
    tiff.write(self, 4);
    tiff.close();

    yw::WriteSettings(folder.Path(), 4);
    yw::WriteSettingNumber("Pairs", 1);
    ASSERT_TRUE(Start(4));
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IAccessible* board = BoardObject(window);
    ASSERT_NE(board, nullptr);
    for (int deal = 0; deal <= 10; ++deal) {
        if (deal > 0) {
            PostMessageA(window, WM_COMMAND, IDM_MORE, 0);
            EXPECT_TRUE(yw::WaitUntil([&] { return CardHeard(board, 0).find(": face down") != std::string::npos; }))
                << "no deal " << deal;
        }
        EXPECT_TRUE(yw::WaitUntil([&] {
            board->accDoDefaultAction(CardChild(0));
            return CardHeard(board, 0).find(": face down") == std::string::npos;
        })) << "deal " << deal << " never turned up";
        ASSERT_EQ(WaitForSingleObject(game->Info.hProcess, 0), WAIT_TIMEOUT) << "ended at deal " << deal;
    }
    board->Release();
    CoUninitialize();

    const std::set<DWORD> hosts = CodecHosts();
    EXPECT_FALSE(hosts.empty()) << "the TIFF was never read by a codec host";
    game.reset();
    EXPECT_TRUE(yw::WaitUntil([] { return CodecHosts().empty(); })) << "codec hosts outlive the game";
}

} // namespace

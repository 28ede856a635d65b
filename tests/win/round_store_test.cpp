// The kept round in the test prefix's registry: a round stored from the board reads back whole,
// and any one value damaged (of another type or size, missing, unterminated, too long) reads as no
// round at all.
#include <gtest/gtest.h>

#include <cstring>

#include "app/PlayerSettings.h"
#include "app/RoundStore.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "board/CardPictures.h"
#include "rules/Deal.h"
#include "rules/GameState.h"
#include "tests/driver/Driver.h"

namespace {

const std::wstring RoundKey = yw::Wide(std::string(yw::SettingsKey) + "\\Round");

// A level-1 board of a picture and its name for two players, Ζωή's turn: picture n on cell 2n-2 and
// its name card on 2n-1, row by row; the first pair found by Ann. Paths outside the ANSI code page;
// pairs 1 and 2 of one group photo, by Γιαγιά 👵 and by Grandpa.
void DealBoard() {
    ApplyLevel(1);
    Level = 1;
    // The board's folder, not the one Options may name for the next start.
    ListFolder = "C:\\F\xC3\xB3tos";
    CopyPathText(PicturePath, "C:\\Other");
    ListSubfolders = 0;
    for (int cell = 0; cell < 16; ++cell) {
        Board[cell % 4][cell / 4] = cell / 2 + 1;
        FaceUp[cell % 4][cell / 4] = cell < 2 ? 1 : 0;
        Side[cell % 4][cell / 4] = cell % 2;
        KeptPictures[cell / 2 + 1].Path = "C:\\F\xC3\xB3tos\\\xE6\x97\xA5" + std::to_string(cell / 2) + ".jpg";
    }
    DealtPairs = PairKind::PictureAndName;
    KeptPictures[2].Path = KeptPictures[1].Path;
    KeptPictures[1].Person = "\xCE\x93\xCE\xB9\xCE\xB1\xCE\xB3\xCE\xB9\xCE\xAC \xF0\x9F\x91\xB5";
    KeptPictures[2].Person = "Grandpa";
    StartPlayersRound(&Round, 2);
    Round.Scores[0] = 1;
    Round.Finders[1] = 0;
    Round.Turn = 1;
    PlayerNames[1] = L"\u0396\u03c9\u03ae";
    Tries = 3;
    PairsFound = 1;
    Clock = {};
}

std::string Wide(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

TEST(RoundStore, StoredAndDamaged) {
    DealBoard();
    DeleteSavedRound();
    SaveRound();
    KeptRound read;
    ASSERT_TRUE(RoundOfValues(ReadSavedRound(), &read));
    EXPECT_EQ(read.Folder, ListFolder);
    EXPECT_EQ(read.Pictures[0], (DealtPicture{KeptPictures[1].Path, KeptPictures[1].Person}));
    EXPECT_EQ(read.Pictures[1], (DealtPicture{KeptPictures[1].Path, "Grandpa"}));
    EXPECT_EQ(read.Pictures[7], (DealtPicture{KeptPictures[8].Path, ""}));
    EXPECT_EQ(read.Names[1], PlayerName(1));
    EXPECT_EQ(std::tie(read.Tries, read.PairsFound, read.Players.Turn, read.Players.Scores[0]),
              std::tie(Tries, PairsFound, Round.Turn, Round.Scores[0]));

    const std::string dword(4, '\1');
    const struct {
        const wchar_t* Name;
        DWORD Type; // 0: the value deleted
        std::string Bytes;
    } damages[] = {
        {L"Level", REG_BINARY, dword},
        {L"Tries", REG_DWORD, std::string(2, '\1')},
        {L"PicturePath", REG_EXPAND_SZ, Wide({L"C:\\x", 5})},
        {L"PicturePath", REG_SZ, Wide(std::wstring(300, L'x') + L'\0')},
        {L"Cells", REG_SZ, Wide({L"C:\\x.jpg", 9})},
        {L"Cells", REG_MULTI_SZ, Wide(L"C:\\x.jpg")}, // unterminated
        {L"Cells", REG_MULTI_SZ, Wide(std::wstring(40000, L'x') + std::wstring(2, L'\0'))},
        {L"Found", REG_BINARY, std::string(37, '\0')},
        {L"Names", REG_MULTI_SZ, Wide({L"Ann\0", 4})},
        {L"Computer", REG_BINARY, std::string(5, '\0')},
        {L"Scores", REG_BINARY, std::string(6, '\0')},
        {L"Starter", 0, ""},
        {L"Pairs", REG_BINARY, dword},
        {L"Sides", REG_DWORD, dword},
        {L"PairIds", REG_BINARY, std::string(65, '\1')},
        {L"Persons", REG_BINARY, Wide(std::wstring(16, L'\0') + L"x")}, // the last unterminated
        {L"Persons", REG_MULTI_SZ, Wide(std::wstring(17, L'\0'))},
        {L"Persons", REG_BINARY, std::string(140000, '\0')},
    };
    for (const auto& damage : damages) {
        SaveRound();
        if (damage.Type == 0)
            RegDeleteKeyValueW(HKEY_CURRENT_USER, RoundKey.c_str(), damage.Name);
        else
            RegSetKeyValueW(HKEY_CURRENT_USER, RoundKey.c_str(), damage.Name, damage.Type, damage.Bytes.data(),
                            DWORD(damage.Bytes.size()));
        EXPECT_FALSE(RoundOfValues(ReadSavedRound(), &read)) << &damage - damages;
    }
    // A record from before the people has none.
    SaveRound();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, RoundKey.c_str(), L"Persons");
    EXPECT_TRUE(ReadSavedRound().Whole && ReadSavedRound().Persons.empty());
    DeleteSavedRound();
    EXPECT_FALSE(ReadSavedRound().Whole);
    PlayerNames[1].clear();
    DealtPairs = PairKind::Twins;
    std::memset(Side, 0, sizeof(Side));
    KeptPictures[1].Person = KeptPictures[2].Person = "";
}

} // namespace

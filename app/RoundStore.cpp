#include "app/RoundStore.h"

#include <windows.h>

#include "app/PlayerSettings.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "board/CardPictures.h"
#include "board/RoundTime.h"
#include "rules/Deal.h"
#include "rules/GameState.h"
#include "rules/NameRules.h"

namespace {

// Far more than 64 paths of 259 characters: anything larger is no round of ours.
const DWORD MaxListBytes = 64 * 1024;

// A person of the longest name on every cell, each in UTF-16 (a unit at most per UTF-8 byte) and
// ended by a zero.
const DWORD MaxPersonsBytes = MaxGridSide * MaxGridSide * (MaxPersonBytes + 1) * sizeof(char16_t);

std::string RoundKey() {
    return std::string(SettingsKey) + "\\Round";
}

// The round on the board now, numbered as it is dealt.
KeptRound BoardRound() {
    KeptRound round = {};
    round.Level = LevelOfGrid(Rows, Columns);
    round.Folder = ListFolder;
    round.Subfolders = ListSubfolders;
    round.Columns = Columns;
    round.Rows = Rows;
    round.Pairs = DealtPairs;
    for (int number = 1; number <= PairCount(); ++number) {
        round.Pictures.push_back({KeptPictures[number].Path, KeptPictures[number].Person});
        if (PicturesPerPair(DealtPairs) == 2)
            round.SecondPictures.push_back(
                {KeptPictures[SecondFace + number].Path, KeptPictures[SecondFace + number].Person});
    }
    for (int column = 0; column < MaxGridSide; ++column) {
        for (int row = 0; row < MaxGridSide; ++row) {
            round.Board[column][row] = Board[column][row];
            round.Side[column][row] = Side[column][row];
            round.FaceUp[column][row] = FaceUp[column][row];
        }
    }
    round.Tries = Tries;
    round.PairsFound = PairsFound;
    round.Seconds = RoundSeconds();
    round.Players = ::Round;
    for (int seat = 0; seat < ::Round.Count; ++seat)
        round.Names.push_back(PlayerName(seat));
    return round;
}

void WriteNumber(HKEY key, const char* name, uint32_t value) {
    const DWORD number = value;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
}

void WriteBytes(HKEY key, const char* name, const void* bytes, size_t size) {
    RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(bytes), DWORD(size));
}

void WritePaths(HKEY key, const char* name, const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    RegSetValueExA(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()), DWORD(list.size()));
}

void WriteNames(HKEY key, const wchar_t* name, const std::vector<std::wstring>& names) {
    std::wstring list;
    for (const std::wstring& each : names)
        list += each + L'\0';
    list += L'\0';
    RegSetValueExW(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                   DWORD(list.size() * sizeof(wchar_t)));
}

// Each cell's person in UTF-16, each ended by a zero, the picture whole an empty one: REG_BINARY,
// as REG_MULTI_SZ holds no empty text.
void WritePersons(HKEY key, const std::vector<std::string>& persons) {
    std::u16string list;
    for (const std::string& person : persons)
        list += Utf16(person) + u'\0';
    WriteBytes(key, "Persons", list.data(), list.size() * sizeof(char16_t));
}

// The value's bytes when it has the type and at most `most` bytes; false otherwise.
bool ReadRaw(HKEY key, const wchar_t* name, DWORD wanted, DWORD most, std::vector<BYTE>* bytes) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != wanted ||
        size > most)
        return false;
    bytes->assign(size_t(size) + sizeof(wchar_t) * 2, 0);
    DWORD read = size;
    if (RegQueryValueExW(key, name, nullptr, &type, bytes->data(), &read) != ERROR_SUCCESS || type != wanted ||
        read != size)
        return false;
    bytes->resize(read);
    return true;
}

// A value a record from before the kinds of pairs has not: absent is fine and leaves the default.
bool Absent(HKEY key, const wchar_t* name) {
    return RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND;
}

bool ReadNumber(HKEY key, const wchar_t* name, uint32_t* value) {
    std::vector<BYTE> bytes;
    if (!ReadRaw(key, name, REG_DWORD, sizeof(DWORD), &bytes) || bytes.size() != sizeof(DWORD))
        return false;
    DWORD number = 0;
    CopyMemory(&number, bytes.data(), sizeof(number));
    *value = number;
    return true;
}

// A list of texts, each ended by a zero, the list by one more; a text with no end is no list.
bool ReadTexts(HKEY key, const wchar_t* name, DWORD type, std::vector<std::wstring>* texts) {
    std::vector<BYTE> bytes;
    if (!ReadRaw(key, name, type, MaxListBytes, &bytes) || bytes.size() % sizeof(wchar_t) != 0)
        return false;
    std::wstring all(bytes.size() / sizeof(wchar_t), L'\0');
    CopyMemory(&all[0], bytes.data(), bytes.size());
    if (type == REG_SZ) {
        if (all.empty() || all.back() != L'\0')
            return false;
        texts->assign(1, all.substr(0, all.size() - 1));
        return true;
    }
    if (all.size() < 2 || all[all.size() - 1] != L'\0' || all[all.size() - 2] != L'\0')
        return false;
    texts->clear();
    for (size_t at = 0; at + 1 < all.size();) {
        const size_t end = all.find(L'\0', at);
        texts->push_back(all.substr(at, end - at));
        at = end + 1;
    }
    return true;
}

// The persons WritePersons stores: a last one without its zero is no list.
bool ReadPersons(HKEY key, std::vector<std::string>* persons) {
    std::vector<BYTE> bytes;
    if (!ReadRaw(key, L"Persons", REG_BINARY, MaxPersonsBytes, &bytes) ||
        bytes.size() % sizeof(char16_t) != 0)
        return false;
    std::u16string all(bytes.size() / sizeof(char16_t), u'\0');
    if (!all.empty())
        CopyMemory(&all[0], bytes.data(), bytes.size());
    if (!all.empty() && all.back() != u'\0')
        return false;
    persons->clear();
    for (size_t at = 0; at < all.size();) {
        const size_t end = all.find(u'\0', at);
        persons->push_back(Utf8Of(all.substr(at, end - at)));
        at = end + 1;
    }
    return true;
}

// Paths as the program holds them, in the code page its manifest asks for.
bool ReadPaths(HKEY key, const wchar_t* name, DWORD type, std::vector<std::string>* paths) {
    std::vector<std::wstring> texts;
    if (!ReadTexts(key, name, type, &texts))
        return false;
    paths->clear();
    for (const std::wstring& text : texts) {
        char path[PathTextSize * 4] = {};
        const int made = WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), path, sizeof(path) - 1,
                                             nullptr, nullptr);
        if (made <= 0 && !text.empty())
            return false;
        paths->push_back(path);
    }
    return true;
}

} // namespace

void SaveRound() {
    if (!RoundWorthKeeping(Tries, PairsFound, PairCount()))
        return;
    const SavedRoundValues values = ValuesOfRound(BoardRound());
    DeleteSavedRound();
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RoundKey().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "PicturePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(values.Folder.c_str()),
                   DWORD(values.Folder.size() + 1));
    WriteNumber(key, "Subfolders", values.Subfolders);
    WriteNumber(key, "Pairs", values.Pairs);
    WritePaths(key, "Cells", values.Cells);
    WritePersons(key, values.Persons);
    WriteBytes(key, "Sides", values.Sides.data(), values.Sides.size());
    WriteBytes(key, "PairIds", values.PairIds.data(), values.PairIds.size());
    WriteBytes(key, "Found", values.Found.data(), values.Found.size());
    WriteNumber(key, "Tries", values.Tries);
    WriteNumber(key, "Time", values.Seconds);
    WriteNumber(key, "Players", values.Players);
    WriteNames(key, L"Names", values.Names);
    WriteBytes(key, "Computer", values.Computer.data(), values.Computer.size());
    WriteNumber(key, "Strength", values.Strength);
    WriteBytes(key, "Scores", values.Scores.data(), values.Scores.size() * sizeof(uint32_t));
    WriteNumber(key, "Turn", values.Turn);
    WriteNumber(key, "Starter", values.Starter);
    // Last: a record cut short by the end of the session has no level and is no round.
    WriteNumber(key, "Level", values.Level);
    RegCloseKey(key);
}

SavedRoundValues ReadSavedRound() {
    SavedRoundValues values = {};
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RoundKey().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    std::vector<std::string> folder;
    std::vector<BYTE> found;
    std::vector<BYTE> computer;
    std::vector<BYTE> scores;
    std::vector<BYTE> sides;
    std::vector<BYTE> pairIds;
    const DWORD cells = MaxGridSide * MaxGridSide;
    values.Whole = (Absent(key, L"Pairs") || ReadNumber(key, L"Pairs", &values.Pairs)) &&
                   (Absent(key, L"Sides") || ReadRaw(key, L"Sides", REG_BINARY, cells, &sides)) &&
                   (Absent(key, L"PairIds") || ReadRaw(key, L"PairIds", REG_BINARY, cells, &pairIds)) &&
                   (Absent(key, L"Persons") || ReadPersons(key, &values.Persons)) &&
                   ReadNumber(key, L"Level", &values.Level) &&
                   ReadPaths(key, L"PicturePath", REG_SZ, &folder) &&
                   ReadNumber(key, L"Subfolders", &values.Subfolders) &&
                   ReadPaths(key, L"Cells", REG_MULTI_SZ, &values.Cells) &&
                   ReadRaw(key, L"Found", REG_BINARY, MaxGridSide * MaxGridSide, &found) &&
                   ReadNumber(key, L"Tries", &values.Tries) && ReadNumber(key, L"Time", &values.Seconds) &&
                   ReadNumber(key, L"Players", &values.Players) &&
                   ReadTexts(key, L"Names", REG_MULTI_SZ, &values.Names) &&
                   ReadRaw(key, L"Computer", REG_BINARY, MaxPlayers, &computer) &&
                   ReadNumber(key, L"Strength", &values.Strength) &&
                   ReadRaw(key, L"Scores", REG_BINARY, MaxPlayers * sizeof(uint32_t), &scores) &&
                   scores.size() % sizeof(uint32_t) == 0 && ReadNumber(key, L"Turn", &values.Turn) &&
                   ReadNumber(key, L"Starter", &values.Starter);
    RegCloseKey(key);
    if (!values.Whole)
        return values;
    values.Folder = folder.front();
    values.Found.assign(found.begin(), found.end());
    values.Sides.assign(sides.begin(), sides.end());
    values.PairIds.assign(pairIds.begin(), pairIds.end());
    values.Computer.assign(computer.begin(), computer.end());
    values.Scores.resize(scores.size() / sizeof(uint32_t));
    if (!scores.empty())
        CopyMemory(values.Scores.data(), scores.data(), scores.size());
    return values;
}

void DeleteSavedRound() {
    RegDeleteTreeA(HKEY_CURRENT_USER, RoundKey().c_str());
}

#include "app/CrashRecord.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "app/Settings.h"
#include "app/Texts.h"
#include "pictures/PictureReading.h"

namespace {

// A picture as it was read: another size or write time makes it another picture.
struct FileStamp {
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
    bool operator==(const FileStamp& other) const { return Size == other.Size && WriteTime == other.WriteTime; }
};

// How many runs ended while reading one picture of that stamp.
struct Ends {
    FileStamp Stamp;
    uint32_t Count = 0;
};

// A picture read at this many ends is left out.
const uint32_t EndsToLeaveOut = 2;

// Paths compared as Windows and the registry's value names compare them, apart from case.
struct PathLess {
    bool operator()(const std::string& a, const std::string& b) const { return _stricmp(a.c_str(), b.c_str()) < 0; }
};

std::string KeyOf(const char* subkey) {
    return std::string(SettingsKey) + "\\" + subkey;
}

// The file's stamp now; false when it cannot be told, with the error.
bool StampOf(const std::string& path, FileStamp* stamp, DWORD* error = nullptr) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WideText(path, CP_ACP).c_str(), GetFileExInfoStandard, &data)) {
        if (error != nullptr)
            *error = GetLastError();
        return false;
    }
    stamp->Size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp->WriteTime = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

// Changed since those ends, or gone from a folder that is there; a drive not there now proves
// nothing, and its pictures stay left out.
bool ChangedSince(const std::string& path, const FileStamp& stamp) {
    FileStamp now;
    DWORD error = 0;
    return StampOf(path, &now, &error) ? !(now == stamp) : error == ERROR_FILE_NOT_FOUND;
}

// The registry's form of a note, a stamp: its size and write time, little-endian; of a picture's
// ends, the stamp and then their count.
std::string Bytes(const FileStamp& stamp) {
    std::string bytes(16, '\0');
    std::memcpy(&bytes[0], &stamp.Size, 8);
    std::memcpy(&bytes[8], &stamp.WriteTime, 8);
    return bytes;
}
std::string Bytes(const Ends& ends) {
    return Bytes(ends.Stamp) + std::string(reinterpret_cast<const char*>(&ends.Count), 4);
}
FileStamp StampOfBytes(const std::string& bytes) {
    FileStamp stamp;
    std::memcpy(&stamp.Size, &bytes[0], 8);
    std::memcpy(&stamp.WriteTime, &bytes[8], 8);
    return stamp;
}

// Each value of the key, its name and its data; the data of a value that no note or count could be
// (too large, not binary) is left empty. Names go through the wide calls: Wine's RegEnumValueA cuts
// a name by its count of UTF-16 units, short of its UTF-8 bytes.
std::vector<std::pair<std::string, std::string>> ValuesOf(HKEY key) {
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = DWORD(name.size()), dataSize = 0, type = 0;
        const LONG result = RegEnumValueW(key, index, name.data(), &nameSize, nullptr, &type, nullptr, &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS)
            continue;
        char data[32];
        DWORD read = sizeof(data);
        const bool ours = type == REG_BINARY && dataSize <= sizeof(data) &&
                          RegQueryValueExW(key, name.data(), nullptr, &type, reinterpret_cast<BYTE*>(data), &read) ==
                              ERROR_SUCCESS;
        values.emplace_back(NarrowText(std::wstring(name.data(), nameSize), CP_ACP),
                            ours ? std::string(data, read) : std::string());
    }
    return values;
}

// A value named by a path, written and deleted through the wide calls as ValuesOf reads it.
void SetPathValue(HKEY key, const std::string& path, const std::string& bytes) {
    RegSetValueExW(key, WideText(path, CP_ACP).c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                   DWORD(bytes.size()));
}
void DeletePathValue(HKEY key, const std::string& path) {
    RegDeleteValueW(key, WideText(path, CP_ACP).c_str());
}

// A run's name among the notes: its process id and creation time, which no later process shares.
bool RunName(HANDLE process, DWORD id, std::string* name) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return false;
    char text[40];
    std::snprintf(text, sizeof(text), "%lu-%08lx%08lx", static_cast<unsigned long>(id),
              static_cast<unsigned long>(created.dwHighDateTime), static_cast<unsigned long>(created.dwLowDateTime));
    *name = text;
    return true;
}

// A game of that run still runs: its notes are its reads under way, not the trace of an end. One
// that cannot be asked (another user's) is taken to run.
bool StillRuns(const std::string& run) {
    const unsigned long id = std::strtoul(run.c_str(), nullptr, 10);
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, DWORD(id));
    if (process == nullptr)
        return GetLastError() == ERROR_ACCESS_DENIED;
    std::string name;
    // An ended process lingers while anyone holds a handle to it.
    const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT && RunName(process, DWORD(id), &name) &&
                      name == run;
    CloseHandle(process);
    return runs;
}

// The pictures the runs that are over were reading when they ended, once per run; their notes go.
std::vector<std::pair<std::string, FileStamp>> GatherEnds(HKEY reading) {
    std::vector<std::string> runs;
    char run[64];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof(run);
        const LONG result = RegEnumKeyExA(reading, index, run, &size, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result == ERROR_SUCCESS && !StillRuns(run))
            runs.push_back(run);
    }
    std::vector<std::pair<std::string, FileStamp>> ended;
    for (const std::string& over : runs) {
        HKEY notes;
        if (RegOpenKeyExA(reading, over.c_str(), 0, KEY_READ, &notes) == ERROR_SUCCESS) {
            for (const auto& [path, bytes] : ValuesOf(notes))
                if (bytes.size() == 16 && !path.empty())
                    ended.emplace_back(path, StampOfBytes(bytes));
            RegCloseKey(notes);
        }
        RegDeleteTreeA(reading, over.c_str());
    }
    return ended;
}

// This run's reads under way, told by the decoders' and readers' PictureReading.
class RegistryRecorder : public ReadingRecorder {
public:
    void Begin(const std::string& path) override;
    void End(const std::string& path) override;
};

std::mutex Lock;                         // guards everything below, from any reading thread
std::string RunKey;                      // this run's notes' key under HKEY_CURRENT_USER; empty while no record is open
HKEY Run = nullptr;                      // that key, made at the first note
std::map<std::string, int, PathLess> Reads; // the files being read now, how many times at once
std::map<std::string, Ends, PathLess> Record; // the Crashes key as it stands
RegistryRecorder Recorder;

void RegistryRecorder::Begin(const std::string& path) {
    FileStamp stamp;
    StampOf(path, &stamp);
    const std::string bytes = Bytes(stamp);
    const std::lock_guard<std::mutex> hold(Lock);
    // Made when first needed: until a picture is read, a first run leaves no settings key behind.
    if (Run == nullptr && !RunKey.empty() &&
        RegCreateKeyExA(HKEY_CURRENT_USER, RunKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                        &Run, nullptr) != ERROR_SUCCESS)
        Run = nullptr;
    if (Run != nullptr && Reads[path]++ == 0)
        SetPathValue(Run, path, bytes);
}

void RegistryRecorder::End(const std::string& path) {
    const std::lock_guard<std::mutex> hold(Lock);
    const auto read = Reads.find(path);
    if (read == Reads.end() || --read->second > 0)
        return;
    Reads.erase(read);
    if (Run != nullptr)
        DeletePathValue(Run, path);
}

void WriteEnds(HKEY crashes, const std::string& path, const Ends& ends) {
    SetPathValue(crashes, path, Bytes(ends));
}

void Forget(const std::string& path) {
    Record.erase(path);
    HKEY crashes;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf("Crashes").c_str(), 0, KEY_WRITE, &crashes) != ERROR_SUCCESS)
        return;
    DeletePathValue(crashes, path);
    RegCloseKey(crashes);
}

// The Crashes key with the ends gathered added, each as one more of its picture unless the
// picture changed in between; the pictures changed since forgiven. Under Lock.
void UpdateRecord(const std::vector<std::pair<std::string, FileStamp>>& ended) {
    Record.clear();
    HKEY crashes;
    const bool made = ended.empty() ? RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf("Crashes").c_str(), 0,
                                                    KEY_READ | KEY_WRITE, &crashes) == ERROR_SUCCESS
                                    : RegCreateKeyExA(HKEY_CURRENT_USER, KeyOf("Crashes").c_str(), 0, nullptr,
                                                      REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                                                      &crashes, nullptr) == ERROR_SUCCESS;
    if (!made)
        return;
    for (const auto& [path, bytes] : ValuesOf(crashes)) {
        if (bytes.size() != 20) {
            DeletePathValue(crashes, path);
            continue;
        }
        Ends& ends = Record[path];
        ends.Stamp = StampOfBytes(bytes);
        std::memcpy(&ends.Count, &bytes[16], 4);
    }
    for (const auto& [path, stamp] : ended) {
        Ends& ends = Record[path];
        ends.Count = ends.Count > 0 && ends.Stamp == stamp ? ends.Count + 1 : 1;
        ends.Stamp = stamp;
        WriteEnds(crashes, path, ends);
    }
    RegCloseKey(crashes);
    std::vector<std::string> changed;
    for (const auto& [path, ends] : Record)
        if (ends.Count == 0 || ChangedSince(path, ends.Stamp))
            changed.push_back(path);
    for (const std::string& path : changed)
        Forget(path);
}

// Under Lock.
bool LeftOut(const std::string& path) {
    const auto entry = Record.find(path);
    if (entry == Record.end() || entry->second.Count < EndsToLeaveOut)
        return false;
    if (!ChangedSince(path, entry->second.Stamp))
        return true;
    Forget(path);
    return false;
}

} // namespace

void OpenCrashRecord() {
    CloseCrashRecord();
    // Two games starting at once must not both count one end.
    const HANDLE guard = CreateMutexW(nullptr, FALSE, L"Local\\Yorewind.CrashRecord");
    if (guard != nullptr)
        WaitForSingleObject(guard, 10000);
    HKEY reading;
    std::vector<std::pair<std::string, FileStamp>> ended;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf("Reading").c_str(), 0, KEY_READ | KEY_WRITE, &reading) ==
        ERROR_SUCCESS) {
        ended = GatherEnds(reading);
        RegCloseKey(reading);
    }
    std::string run;
    const std::lock_guard<std::mutex> hold(Lock);
    UpdateRecord(ended);
    if (guard != nullptr) {
        ReleaseMutex(guard);
        CloseHandle(guard);
    }
    if (RunName(GetCurrentProcess(), GetCurrentProcessId(), &run))
        RunKey = KeyOf("Reading") + "\\" + run;
    SetReadingRecorder(&Recorder);
}

void CloseCrashRecord() {
    const std::lock_guard<std::mutex> hold(Lock);
    Reads.clear();
    if (Run != nullptr) {
        RegCloseKey(Run);
        Run = nullptr;
        RegDeleteKeyA(HKEY_CURRENT_USER, RunKey.c_str());
    }
    RunKey.clear();
}

bool LeftOutAfterCrashes(const std::string& path) {
    const std::lock_guard<std::mutex> hold(Lock);
    return LeftOut(path);
}

void LeaveOutCrashed(std::vector<std::string>* pictures) {
    const std::lock_guard<std::mutex> hold(Lock);
    if (Record.empty())
        return;
    pictures->erase(std::remove_if(pictures->begin(), pictures->end(), LeftOut), pictures->end());
}

std::vector<std::string> PicturesLeftOut() {
    std::vector<std::string> paths;
    const std::lock_guard<std::mutex> hold(Lock);
    for (const auto& [path, ends] : Record)
        if (ends.Count >= EndsToLeaveOut)
            paths.push_back(path);
    paths.erase(std::remove_if(paths.begin(), paths.end(), [](const std::string& path) { return !LeftOut(path); }),
                paths.end());
    return paths;
}

std::vector<std::string> LetPicturesBackIn() {
    std::vector<std::string> paths = PicturesLeftOut();
    const std::lock_guard<std::mutex> hold(Lock);
    for (const std::string& path : paths)
        Forget(path);
    return paths;
}

// The index of the faces in the player's pictures and of the people they group into, kept in one
// SQLite file per user (on Windows, PeopleIndexPath in pictures/PeopleIndexFolder.h). Biometric
// data: made only when the player asks for it, kept on this computer alone, and deleted whole by
// ForgetPeople. The file's layout and its recovery are in docs/people-index.md.
//
// A store owns one connection and is used by one thread at a time; two stores (two games, or two
// threads) may share the file: one writes at a time, the others read meanwhile.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pictures/FaceBox.h"
#include "rules/FaceDescriptor.h"

// A picture as the folder walk lists it.
struct ListedPicture {
    std::string Path; // UTF-8
    uint64_t Size = 0;
    int64_t WriteTime = 0; // as the platform gives it; compared, never interpreted
};

// A face of a picture: where it is, what the descriptor made of it (when it ran), the name its tags
// give it.
struct IndexedFace {
    FaceBox Box;
    std::optional<FaceDescriptor> Descriptor;
    std::optional<std::string> Tag;
};

// A picture's outcome: read (its faces, perhaps none) or failed (not read again until it changes).
struct IndexedPicture {
    ListedPicture File;
    bool Failed = false;
    std::vector<IndexedFace> Faces;
};

// What a listing asks of the index: pictures new or changed since they were read, and those it no
// longer holds.
struct IndexWork {
    std::vector<ListedPicture> ToRead;
    std::vector<std::string> Gone;
};

// A face as the grouping reads it back.
struct StoredFace {
    int64_t Id = 0;
    int64_t Picture = 0;
    std::string Path;
    FaceBox Box;
    std::optional<FaceDescriptor> Descriptor;
    std::optional<std::string> Tag;
    std::optional<int64_t> Person;
};

struct StoredPerson {
    int64_t Id = 0;
    std::optional<std::string> Name;
    bool Hidden = false;
    int64_t Pictures = 0; // the pictures with a face of theirs
    int64_t Faces = 0;
};

// A face of a person the player did not hide, as a deal reads them.
struct ShownFace {
    std::string Path;
    FaceBox Box;
    int64_t Person = 0;
    std::optional<std::string> Name;
    std::optional<std::string> Tag; // the name the picture's tags give the face
};

// How the store stands. Trouble a write met is reported once by NewTrouble; reading goes on.
enum class StoreStatus {
    Ready,
    ReadOnly,   // the file or its folder cannot be written: read, not written
    DiskFull,   // the last write found no room (or the file at its bound); nothing of it kept
    Busy,       // another game held the file for writing past the wait
    Unavailable // no file could be opened or made: nothing to read either
};

struct StoreOptions {
    // The file's bound: a library's faces never fill the disk.
    int64_t MaxBytes = int64_t(2) << 30;
    // How long a write waits for another game's write to end.
    int BusyMilliseconds = 5000;
};

class FaceIndexStore {
public:
    // Opens the file at path (UTF-8), made with its folder when missing. A file that is damaged, of
    // another program or of a newer game is set aside (SetAside names where) and a new one made.
    // Never throws; Status says what came of it.
    explicit FaceIndexStore(const std::string& path, const StoreOptions& options = StoreOptions());
    ~FaceIndexStore();
    FaceIndexStore(const FaceIndexStore&) = delete;
    FaceIndexStore& operator=(const FaceIndexStore&) = delete;

    StoreStatus Status() const { return status_; }
    // SQLite's or the system's words for the status, for a log.
    const std::string& Reason() const { return reason_; }
    // The name a file found unusable at opening was set aside under, and why; empty when none was.
    const std::string& SetAside() const { return setAside_; }
    const std::string& SetAsideReason() const { return setAsideReason_; }
    // A trouble (ReadOnly, DiskFull, Busy, Unavailable) not reported yet: each once, until a write
    // succeeds again.
    std::optional<StoreStatus> NewTrouble();
    // Writes committed by any store of this process so far: a file's write time may be too coarse
    // to tell two writes apart, and a log restarted after a checkpoint keeps its size.
    static uint64_t WritesInProcess();

    // The pictures of a listing to read, and those gone from it.
    IndexWork Compare(const std::vector<ListedPicture>& listing);
    // A batch of pictures read, each replacing what was kept of it (its faces and their people),
    // committed whole or not at all. False when nothing was written (Status says why).
    bool StoreBatch(const std::vector<IndexedPicture>& batch);
    // The pictures gone, with their faces.
    bool Remove(const std::vector<std::string>& paths);

    // Every face with a descriptor, in the order of their ids, one at a time; the callback returns
    // false to stop.
    bool ForEachDescribedFace(const std::function<bool(const StoredFace&)>& each);
    std::vector<StoredPerson> People();
    std::vector<StoredFace> FacesOf(int64_t person);
    // Every face of a person not hidden, a picture's faces together, in one query; the callback
    // returns false to stop.
    bool ForEachShownFace(const std::function<bool(const ShownFace&)>& each);

    // A new person of the faces given (taken from whoever held them); 0 on failure.
    int64_t NewPerson(const std::vector<int64_t>& faces);
    // The faces join the person, unless the player said they are not them.
    bool Join(int64_t person, const std::vector<int64_t>& faces);
    bool SetName(int64_t person, const std::optional<std::string>& name);
    bool SetHidden(int64_t person, bool hidden);
    // The second person's faces and refusals go to the first, who keeps their name, else takes the
    // second's; the second is no more.
    bool Merge(int64_t into, int64_t from);
    // The player says the face is not the person: it leaves them, and never joins them again.
    bool Refuse(int64_t face, int64_t person);
    bool Refused(int64_t face, int64_t person);
    // Every (face, person) the player refused.
    std::vector<std::pair<int64_t, int64_t>> Refusals();

private:
    struct Connection;
    bool OpenFile(bool writable);
    bool Usable();
    bool Write(const std::function<bool()>& work);
    void Trouble(int code, const char* what);

    std::string path_;
    StoreOptions options_;
    std::unique_ptr<Connection> db_;
    StoreStatus status_ = StoreStatus::Unavailable;
    std::string reason_;
    std::string setAside_;
    std::string setAsideReason_;
    std::optional<StoreStatus> reported_;
};

// Deletes the index at path whole: the file, its -wal and -shm, and every copy set aside beside
// it. No store of it may be open in this process. False when something could not go (another game
// holds the file on Windows, say): left names it.
bool ForgetPeople(const std::string& path, std::string* left = nullptr);

// Building the people's index in the background: the pictures of the folder's listing not read yet
// (or changed since), newest first, read a few at a time on their own workers, each batch kept in
// the store in one transaction and the people regrouped after it. Platform-free: what reads a
// picture, what lists the folder and what lowers the workers' priority are given.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/FaceIndexStore.h"

// A picture's faces, as ReadPictureFaces (pictures/PictureFaces.h) finds them; false when the
// picture could not be read (or was stopped).
using PictureFacesReader =
    std::function<bool(const char* path, const DecodeStop& stop, std::vector<IndexedFace>* faces)>;

// The folder as the indexer sees it: every picture listed, and those only in the cloud, which are
// neither read (opening one downloads it) nor forgotten.
struct IndexListing {
    std::vector<ListedPicture> Pictures;
    std::set<std::string> CloudOnly;
};

struct IndexerSetup {
    std::string StorePath; // UTF-8
    // The folder's pictures, asked on the indexer's thread; the stop is the indexer's.
    std::function<IndexListing(const std::atomic<bool>& stop)> List;
    PictureFacesReader Read;
    // Once on the indexer's thread before the first picture (dlib's models); false: nothing is read.
    std::function<bool()> Prepare;
    // A picture no longer listed is forgotten only when this says its file is gone (not a drive
    // away, or a folder the player no longer plays); every one when empty.
    std::function<bool(const std::string& path)> Vanished;
    // A picture the crash record leaves out: not read.
    std::function<bool(const std::string& path)> LeftOut;
    // Each worker's way in and out (the game lowers its priority), and its own CPU time.
    std::function<void()> WorkerStart;
    std::function<void()> WorkerEnd;
    std::function<double()> CpuSeconds;
    // True while the game draws frames that want the cores (a card turning): each worker waits at its
    // next stop check, the picture in hand kept, not begun again. Asked on the workers.
    std::function<bool()> GiveWay;
    // A picture that costs its worker more CPU time than this hangs: it is kept as failed.
    double BudgetSeconds = 2.0;
    unsigned Threads = 2;
    size_t BatchSize = 4;
    // After each batch kept and the people regrouped, and once at the end; on the indexer's thread.
    std::function<void()> Progress;
};

// Why indexing stopped short, told once.
enum class IndexTrouble { None, DiskFull, ReadOnly, Busy, Unavailable, NoModels };

class PeopleIndexer {
public:
    explicit PeopleIndexer(IndexerSetup setup);
    // Stops and joins.
    ~PeopleIndexer();
    PeopleIndexer(const PeopleIndexer&) = delete;
    PeopleIndexer& operator=(const PeopleIndexer&) = delete;

    void Start();
    // Ends the work, mid-picture too, and returns once every thread has; what was read whole is
    // kept, so the next start goes on from there.
    void Stop();
    // Returns once the work is over by itself.
    void Wait();
    // While paused no picture is read: the pictures in hand stop and are read again once resumed.
    void Pause(bool paused);

    bool Running() const { return running_; }
    // The pictures the listing holds that are read (or failed), and all it holds to read.
    size_t Done() const { return done_; }
    size_t Total() const { return total_; }
    IndexTrouble Trouble() const;
    // The store's words for the trouble, and the path of the file.
    std::string TroubleReason() const;

private:
    void Run();
    void RunBatch(std::vector<IndexedPicture>* batch, std::vector<char>* whole);
    bool Halt(FaceIndexStore& store);

    IndexerSetup setup_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::atomic<size_t> done_{0};
    std::atomic<size_t> total_{0};
    mutable std::mutex lock_;
    std::condition_variable resumed_;
    std::atomic<bool> paused_{false};
    IndexTrouble trouble_ = IndexTrouble::None;
    std::string reason_;
};

// The listing in the order the indexer reads it: the newest first, by write time.
void NewestFirst(std::vector<ListedPicture>* pictures);

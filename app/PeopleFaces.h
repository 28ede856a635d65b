// The faces the People window shows, each cut small from one of its pictures on a thread of its own,
// so that the window opens at once however many people the index holds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "pictures/FaceIndexStore.h"

// A face cut small: of a person (Key their number) or one face of theirs (Key the face's id). Pixels
// are Size x Size 0x00RRGGBB, none when the picture could not be read.
struct FacePicture {
    bool OfPerson = false;
    int64_t Key = 0;
    std::vector<uint32_t> Pixels;
};

class FacePictures {
public:
    // Cuts faces size pixels square from the index at indexPath (UTF-8); posts message to window
    // when cut ones wait to be taken.
    FacePictures(HWND window, UINT message, const std::string& indexPath, int size);
    ~FacePictures(); // stops and waits for the thread
    FacePictures(const FacePictures&) = delete;
    FacePictures& operator=(const FacePictures&) = delete;

    // The people, in the list's order; each is cut once, however often asked.
    void WantPeople(const std::vector<int64_t>& people);
    // The faces of the person chosen, before any person left to cut; replaces those asked before.
    void WantFaces(const std::vector<StoredFace>& faces);
    // The first row the list shows: the people from it on are cut first.
    void FirstShown(size_t row);
    // The faces cut since the last call.
    std::vector<FacePicture> Take();
    int Size() const { return size_; }

private:
    void Run();
    bool NextJob(FacePicture* job, std::string* path, FaceBox* box);

    HWND window_;
    UINT message_;
    std::string indexPath_;
    int size_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::atomic<bool> stopping_{false}; // read by the decode too, between its rows
    std::vector<int64_t> people_;
    std::vector<bool> peopleDone_;
    std::set<int64_t> peopleTaken_; // every person ever cut or being cut
    size_t firstShown_ = 0;
    std::deque<StoredFace> faces_;
    std::vector<FacePicture> done_;
    std::thread thread_;
};

// A cut face's pixels as a bitmap an image list takes; null when there are none.
HBITMAP FaceBitmap(const std::vector<uint32_t>& pixels, int size);
// A face of a person's in a picture: the largest of them, the one a small picture shows best.
const StoredFace* LargestFace(const std::vector<StoredFace>& faces);

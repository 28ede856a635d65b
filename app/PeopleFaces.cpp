#include "app/PeopleFaces.h"

#include <algorithm>
#include <memory>

#include "pictures/PictureDecoder.h"

FacePictures::FacePictures(HWND window, UINT message, const std::string& indexPath, int size)
    : window_(window), message_(message), indexPath_(indexPath), size_(size), thread_([this] { Run(); }) {}

FacePictures::~FacePictures() {
    {
        std::lock_guard<std::mutex> hold(lock_); // so the thread cannot miss the wake
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void FacePictures::WantPeople(const std::vector<int64_t>& people) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        people_ = people;
        peopleDone_.assign(people.size(), false);
        for (size_t row = 0; row < people.size(); ++row)
            peopleDone_[row] = peopleTaken_.count(people[row]) > 0;
    }
    wake_.notify_all();
}

void FacePictures::WantFaces(const std::vector<StoredFace>& faces) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        faces_.assign(faces.begin(), faces.end());
    }
    wake_.notify_all();
}

void FacePictures::FirstShown(size_t row) {
    std::lock_guard<std::mutex> hold(lock_);
    firstShown_ = row;
}

std::vector<FacePicture> FacePictures::Take() {
    std::lock_guard<std::mutex> hold(lock_);
    std::vector<FacePicture> taken;
    taken.swap(done_);
    return taken;
}

// The next face to cut: a face of the person chosen, else the first person not cut from the first
// row shown on, round to the top. A person's job carries no path: the thread looks their faces up.
bool FacePictures::NextJob(FacePicture* job, std::string* path, FaceBox* box) {
    if (!faces_.empty()) {
        job->OfPerson = false;
        job->Key = faces_.front().Id;
        *path = faces_.front().Path;
        *box = faces_.front().Box;
        faces_.pop_front();
        return true;
    }
    for (size_t n = 0; n < people_.size(); ++n) {
        const size_t row = (firstShown_ + n) % people_.size();
        if (!peopleDone_[row]) {
            peopleDone_[row] = true;
            peopleTaken_.insert(people_[row]);
            job->OfPerson = true;
            job->Key = people_[row];
            path->clear();
            return true;
        }
    }
    return false;
}

void FacePictures::Run() {
    std::unique_ptr<FaceIndexStore> store; // opened at the first person: a thread has its own
    const DecodeStop stop{[this] { return stopping_.load(); }};
    for (;;) {
        FacePicture job;
        std::string path;
        FaceBox box;
        {
            std::unique_lock<std::mutex> hold(lock_);
            wake_.wait(hold, [&] { return stopping_ || NextJob(&job, &path, &box); });
            if (stopping_)
                return;
        }
        if (job.OfPerson) {
            if (!store)
                store = std::make_unique<FaceIndexStore>(indexPath_);
            const std::vector<StoredFace> faces = store->FacesOf(job.Key);
            if (const StoredFace* face = LargestFace(faces)) {
                path = face->Path;
                box = face->Box;
            }
        }
        if (!path.empty()) {
            // A card frames a person about three face widths across; a list's small picture shows the
            // face itself, so the box it is given is about half the face, round the same middle.
            CardFraming framing(PictureFit::KeepShape);
            framing.HasPerson = true;
            framing.Person = {box.Left + box.Width / 4, box.Top + box.Height / 4, box.Width / 2,
                              box.Height / 2};
            if (!DecodePicture(path.c_str(), size_, size_, framing, &job.Pixels, stop))
                job.Pixels.clear();
        }
        bool first = false;
        {
            std::lock_guard<std::mutex> hold(lock_);
            if (stopping_)
                return;
            first = done_.empty();
            done_.push_back(std::move(job));
        }
        if (first)
            PostMessageW(window_, message_, 0, 0);
    }
}

HBITMAP FaceBitmap(const std::vector<uint32_t>& pixels, int size) {
    if (pixels.size() != size_t(size) * size_t(size))
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size; // top row first, as the decoder gives them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr)
        std::transform(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits), [](uint32_t pixel) {
            return pixel | 0xFF000000u;
        }); // opaque, whatever the list makes of alpha
    return bitmap;
}

const StoredFace* LargestFace(const std::vector<StoredFace>& faces) {
    const auto area = [](const StoredFace& f) { return f.Box.Width * f.Box.Height; };
    const auto largest =
        std::max_element(faces.begin(), faces.end(),
                         [&](const StoredFace& a, const StoredFace& b) { return area(a) < area(b); });
    return largest == faces.end() ? nullptr : &*largest;
}

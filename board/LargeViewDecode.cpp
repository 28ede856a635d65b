#include "board/LargeViewDecode.h"

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <utility>

#include "pictures/PictureBatch.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureFormat.h"
#include "pictures/PictureReading.h"
#include "pictures/PictureSize.h"
#include "pictures/ThreadCpuTime.h"
#include "pictures/WorkerPool.h"
#include "rules/LargeViewLayout.h"

namespace {

// Shared by the window's thread and the worker, under Lock but for Stop.
struct Job {
    std::atomic<bool> Stop{false};
    std::mutex Lock;
    bool Fresh = false;
    ViewPicture Latest;
};

std::shared_ptr<Job> Current;
std::future<void> Worker;

void Deliver(Job& job, HWND window, ViewPicture&& picture) {
    {
        const std::lock_guard<std::mutex> hold(job.Lock);
        const bool keepPixels = picture.Pixels.empty() && !job.Latest.Pixels.empty();
        if (keepPixels) {
            job.Latest.ShapeWidth = picture.ShapeWidth;
            job.Latest.ShapeHeight = picture.ShapeHeight;
        } else {
            job.Latest = std::move(picture);
        }
        job.Fresh = true;
    }
    PostMessageA(window, LargeViewDecodedMessage, 0, 0);
}

// Values in, values out: nothing here touches the device, the game or the window but by a posted message.
void Decode(std::shared_ptr<Job> job, HWND window, std::string path, ViewRoom room) {
    const PictureReading reading(path.c_str());
    const double start = ThreadCpuSeconds();
    const DecodeStop stop{
        [&] { return job->Stop.load() || ThreadCpuSeconds() - start > PictureCpuBudgetSeconds; }};
    std::vector<uint8_t> bytes;
    ViewPicture picture;
    if (!ReadPictureFile(path.c_str(), &bytes) ||
        !PictureSizeOfData(bytes.data(), bytes.size(), &picture.ShapeWidth, &picture.ShapeHeight) || stop())
        return;
    const LargeViewLayout layout = LayOutLargeView(picture.ShapeWidth, picture.ShapeHeight, room.Board.Width,
                                                   room.Board.Height, room.CaptionHeight, room.Margin);
    const int width = layout.Picture.Right - layout.Picture.Left;
    const int height = layout.Picture.Bottom - layout.Picture.Top;
    const ViewPicture shape = picture;
    Deliver(*job, window, ViewPicture(shape));
    // A phone's thumbnail shows in milliseconds, its 12 MP primary image after most of a second.
    picture.Width = width;
    picture.Height = height;
    if (SniffPictureFormat(bytes.data(), bytes.size()) == PictureFormat::Heif &&
        DecodeHeifThumbnail(bytes.data(), bytes.size(), width, height, &picture.Pixels, stop))
        Deliver(*job, window, ViewPicture(picture));
    picture.Sharp = true;
    if (DecodePictureData(bytes.data(), bytes.size(), width, height, PictureFit::Stretch, &picture.Pixels, stop))
        Deliver(*job, window, std::move(picture));
}

} // namespace

void StartViewDecode(HWND window, const std::string& path, const ViewRoom& room) {
    StopViewDecode();
    Current = std::make_shared<Job>();
    Worker = RunLater([job = Current, window, path, room] { Decode(job, window, path, room); });
}

void StopViewDecode() {
    if (Current != nullptr)
        Current->Stop = true;
    if (Worker.valid())
        Worker.get();
    Current.reset();
}

bool TakeViewDecode(ViewPicture* picture) {
    if (Current == nullptr)
        return false;
    const std::lock_guard<std::mutex> hold(Current->Lock);
    if (!Current->Fresh)
        return false;
    Current->Fresh = false;
    *picture = std::move(Current->Latest);
    // The shape stays known for the next delivery, the pixels go to the caller.
    Current->Latest.ShapeWidth = picture->ShapeWidth;
    Current->Latest.ShapeHeight = picture->ShapeHeight;
    Current->Latest.Pixels.clear();
    return true;
}

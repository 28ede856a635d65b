#include "pictures/PictureReading.h"

#include <atomic>

namespace {

std::atomic<ReadingRecorder*> Installed{nullptr};

} // namespace

void SetReadingRecorder(ReadingRecorder* recorder) {
    Installed.store(recorder);
}

PictureReading::PictureReading(const char* path)
    : Recorder(path != nullptr && path[0] != '\0' ? Installed.load() : nullptr), Path(path != nullptr ? path : "") {
    if (Recorder != nullptr)
        Recorder->Begin(Path);
}

PictureReading::~PictureReading() {
    if (Recorder != nullptr)
        Recorder->End(Path);
}

// Which picture files are being read, told to whoever keeps a record of it: a file that ends the
// process while it is read is then known at the next start. Platform-free; the record is the app's.
#pragma once

#include <string>

// Told of each file the decoders and readers open by path, before they read it and once they are
// done; from any thread, several files at once, the same one twice at once too.
class ReadingRecorder {
public:
    virtual ~ReadingRecorder() = default;
    virtual void Begin(const std::string& path) = 0;
    virtual void End(const std::string& path) = 0;
};

// The recorder every later read tells, or none (null); set before the first read and left in place.
void SetReadingRecorder(ReadingRecorder* recorder);

// The file at path is being read while this lives (no file when path is null or empty).
class PictureReading {
public:
    explicit PictureReading(const char* path);
    ~PictureReading();
    PictureReading(const PictureReading&) = delete;
    PictureReading& operator=(const PictureReading&) = delete;

private:
    ReadingRecorder* const Recorder; // the one told of the beginning, told of the end
    const std::string Path;
};

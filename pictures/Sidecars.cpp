#include "pictures/Sidecars.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A plain file there, not larger than maxBytes, and not only in the cloud, as far as its entry says;
// its size.
bool SmallPlainFile(const std::string& path, size_t maxBytes, size_t* size) {
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA entry;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &entry))
        return false;
    // Offline, recall on open, recall on data access: older headers lack the last two's names.
    const DWORD notHere = FILE_ATTRIBUTE_OFFLINE | 0x40000 | 0x400000;
    const DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_REPARSE_POINT;
    *size = entry.nFileSizeLow;
    return (entry.dwFileAttributes & (notHere | notPlain)) == 0 && entry.nFileSizeHigh == 0 &&
           entry.nFileSizeLow <= maxBytes;
#else
    struct stat entry;
    if (stat(path.c_str(), &entry) != 0 || !S_ISREG(entry.st_mode) || entry.st_size < 0)
        return false;
    *size = size_t(entry.st_size);
    return *size <= maxBytes;
#endif
}

} // namespace

std::vector<std::string> SidecarPaths(const std::string& picture) {
    std::vector<std::string> paths = {picture + ".xmp"};
    const size_t dot = picture.rfind('.');
    const size_t folder = picture.find_last_of("/\\");
    if (dot != std::string::npos && (folder == std::string::npos || dot > folder + 1))
        paths.push_back(picture.substr(0, dot) + ".xmp");
    return paths;
}

bool ReadSmallFile(const std::string& path, size_t maxBytes, std::string* bytes) {
    size_t size = 0;
    if (path.empty() || !SmallPlainFile(path, maxBytes, &size))
        return false;
    const std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    // Read up to one byte more than its entry said: a file grown since past the bound is refused.
    bytes->resize(size + 1);
    bytes->resize(std::fread(&(*bytes)[0], 1, bytes->size(), file.get()));
    return bytes->size() <= std::min(size, maxBytes) && std::ferror(file.get()) == 0;
}

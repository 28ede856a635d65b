// libFuzzer's entry for Google Photos' JSON: any bytes through ReadGoogleJson, checking that what it
// keeps is bounded and that nothing is kept of a file it refuses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pictures/GooglePeople.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GoogleJson read;
    const bool json = ReadGoogleJson(std::string(reinterpret_cast<const char*>(data), size), &read);
    if (read.People.size() > MaxGooglePeople || (!json && (!read.People.empty() || !read.Title.empty())))
        std::abort();
    for (const std::string& name : read.People) {
        if (name.size() > 1024)
            std::abort();
    }
    return 0;
}

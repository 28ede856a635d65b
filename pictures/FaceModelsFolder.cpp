// Where the face descriptor's models are (declared in pictures/FaceDescriber.h): kept apart from
// the file that includes dlib, which needs no Windows header.
#include "pictures/FaceDescriber.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

std::string FaceModelsFolder() {
#ifdef _WIN32
    // The longest path Windows gives.
    std::wstring exe(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &exe[0], DWORD(exe.size()));
    if (length == 0 || length >= exe.size())
        return std::string();
    exe.resize(length);
    return (std::filesystem::path(exe).parent_path() / L"faces").u8string();
#else
    const char* given = std::getenv("YW_FACE_MODELS");
    return given != nullptr && *given != '\0' ? given : "faces";
#endif
}

// Which of the system's installed picture decoders the game uses, and the file extensions they add
// to the scan. Platform-free: Windows' codec descriptions come in as plain values.
#pragma once

#include <string>
#include <vector>

// One installed decoder as the system describes it.
struct SystemCodec {
    std::wstring Author;
    // Its vendor is Microsoft's (GUID_VendorMicrosoft or GUID_VendorMicrosoftBuiltIn).
    bool MicrosoftVendor = false;
    // As the codec lists them: ".bmp,.dib,.rle" or ".jpg;.jpeg;.jfif".
    std::wstring Extensions;
};

// A third party's codec could be anything, even in the codec host's process: only the system's own
// are used, those Microsoft wrote (the built-in ones and the Store's extensions). Wine's stand-ins
// for them name Wine as their author but Microsoft's vendor GUID, the one WIC itself prefers as
// the system's; a third party that registers under Microsoft's vendor GUID is taken at its word.
bool IsSystemCodec(const SystemCodec& codec);

// The extensions of the system's own codecs, lower case with their dot, in the order listed, each
// once, leaving out those of `own` (the game's own list) and icons, cursors and textures.
std::vector<std::string> SystemCodecExtensions(const std::vector<SystemCodec>& codecs,
                                               const std::vector<std::string>& own);

#include "rules/VoiceChoice.h"

#include "rules/CardTitles.h"
#include "rules/NameRules.h"

namespace {

// A name the file system refuses, or one that would lead out of the picture's folder.
bool FileCannotBear(const std::string& stem) {
    if (stem.empty() || stem == "." || stem == "..")
        return true;
    for (const unsigned char c : stem)
        if (c < 0x20 || std::string("\\/:*?\"<>|").find(char(c)) != std::string::npos)
            return true;
    return false;
}

} // namespace

VoiceKind VoiceKindOf(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos)
        return VoiceKind::None;
    const std::u16string extension = NameKey(fileName.substr(dot));
    if (extension == u".wav")
        return VoiceKind::Wav;
    if (extension == u".mp3")
        return VoiceKind::Mp3;
    if (extension == u".m4a")
        return VoiceKind::M4a;
    if (extension == u".wma")
        return VoiceKind::Wma;
    return VoiceKind::None;
}

std::vector<std::string> VoiceStems(const std::string& pictureFile, const std::string& person) {
    std::vector<std::string> stems;
    for (const std::string& stem : {PictureTitle(pictureFile), person})
        if (!FileCannotBear(stem) && (stems.empty() || NameKey(stems[0]) != NameKey(stem)))
            stems.push_back(stem);
    return stems;
}

std::string ChooseVoiceFile(const std::string& pictureFile, const std::string& person,
                            const std::vector<FolderEntry>& entries) {
    for (const std::string& stem : VoiceStems(pictureFile, person)) {
        const std::u16string key = NameKey(stem);
        const std::string* best = nullptr;
        VoiceKind bestKind = VoiceKind::None;
        for (const FolderEntry& entry : entries) {
            const VoiceKind kind = VoiceKindOf(entry.Name);
            const size_t dot = entry.Name.find_last_of('.');
            if (entry.Folder || kind == VoiceKind::None || NameKey(entry.Name.substr(0, dot)) != key)
                continue;
            if (best == nullptr || int(kind) < int(bestKind)) {
                best = &entry.Name;
                bestKind = kind;
            }
        }
        if (best != nullptr)
            return *best;
    }
    return std::string();
}

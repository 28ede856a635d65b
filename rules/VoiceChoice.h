// Which recording speaks for a picture: a sound file beside it named as the picture, else one named
// as the person it shows. How a family records a name: a phone's voice memo dropped in the folder.
#pragma once

#include <string>
#include <vector>

// A name in the picture's folder (UTF-8), and whether it is a folder.
struct FolderEntry {
    std::string Name;
    bool Folder = false;
};

// What kind of sound a recording's extension says it is; None for a name that is no recording.
enum class VoiceKind { None, Wav, Mp3, M4a, Wma };

// The kind of a file name by its extension, apart from case.
VoiceKind VoiceKindOf(const std::string& fileName);

// The stems a recording may bear, in the order they are preferred: the picture's file name less its
// extension, then the person's name (UTF-8, empty for nobody). A name no file can bear (a path's
// separators, wildcards, "..") is left out.
std::vector<std::string> VoiceStems(const std::string& pictureFile, const std::string& person);

// The entry that speaks for the picture, "" for none: a file, not a folder, whose name is one of
// the stems (case apart) and a recording's extension. The earlier stem wins; among one stem's
// files, .wav, .mp3, .m4a, then .wma.
std::string ChooseVoiceFile(const std::string& pictureFile, const std::string& person,
                            const std::vector<FolderEntry>& entries);

// A found pair's voice: the recording beside its picture (rules/VoiceChoice.h), read and decoded
// off the window's thread in the codec host, since a sound file is as hostile as a picture, and
// played through waveOut. One voice at a time: each new one, a turned card, a deal and the window's
// end stop the one before. Windows only.
#pragma once

#include <string>

#include "pictures/VoiceWav.h"
#include "rules/TryRules.h"

// In a calm round, a found pair says its recording; picture is the found card's (PictureOfCard).
void SayFoundPair(const ClickOutcome& outcome, int picture);

// Says the recording beside the picture (path in the process's code page), else the one named as
// the person (UTF-8, empty for nobody); silence when there is none or it does not decode.
void SayRecording(const std::string& picturePath, const std::string& person);

// Stops the voice playing or being prepared, without waiting on its preparation.
void StopVoice();

// What plays a decoded voice: waveOut unless a test or the benchmark records the call instead.
// False when it cannot play.
using VoicePlayer = bool (*)(const VoiceSound& sound);
void SetVoicePlayer(VoicePlayer player);

// Waits until the voice being prepared plays or is given up, without stopping it.
void SettleVoice();

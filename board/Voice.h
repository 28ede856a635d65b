// A found pair's voice: the recording beside its picture (rules/VoiceChoice.h), read and decoded
// off the window's thread in the codec host, since a sound file is as hostile as a picture, and
// played through waveOut; without one, where Say names aloud is on, the system's voice says the
// name (board/VoiceSpeech.h). One voice at a time: each new one, a turned card, a deal and the
// window's end stop the one before. Windows only.
#pragma once

#include <windows.h>

#include <string>

#include "pictures/VoiceWav.h"
#include "rules/TryRules.h"

// Posted to the window by the worker that found no recording, for the name to be said there.
const UINT SayNameMessage = WM_APP + 9;

// A found pair speaks in a calm round or where Say names aloud is on; picture is the found card's
// (PictureOfCard).
void SayFoundPair(const ClickOutcome& outcome, int picture);

// Says the recording beside the picture (path in the process's code page), else the one named as
// the person (UTF-8, empty for nobody); without one, with sayName, the system's voice says the
// person's name once the window has SayNameMessage.
void SayRecording(const std::string& picturePath, const std::string& person, bool sayName);

// SayNameMessage: the name said, unless the voice was stopped or another began since it was posted.
void SayPostedName(WPARAM voice);

// Stops the voice playing or being prepared, without waiting on its preparation.
void StopVoice();

// What plays a decoded voice: waveOut unless a test or the benchmark records the call instead.
// False when it cannot play.
using VoicePlayer = bool (*)(const VoiceSound& sound);
void SetVoicePlayer(VoicePlayer player);

// Waits until the voice being prepared plays or is given up, without stopping it.
void SettleVoice();

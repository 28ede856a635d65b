// The system's voice (SAPI 5) saying a found pair's name where no recording speaks for it, in the
// display language's voice where one is installed. On the window's thread, in its apartment.
// Windows only.
#pragma once

#include <string>

// Says the name, stopping whatever it said before; silent while a screen reader runs, which says
// the names itself. False when nothing is said (no speech on this PC, a reader, an empty name).
bool SpeakName(const std::wstring& name);

// Stops the voice mid-word.
void StopSpeaking();

// Lets the system's voice go, before the window's thread leaves its apartment.
void EndSpeech();

// What says a name: SAPI unless a test records the call instead.
using NameSpeaker = bool (*)(const std::wstring& name);
void SetNameSpeaker(NameSpeaker speaker);

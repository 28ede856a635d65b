// The record of pictures that were being read when a run of the game ended without its own
// shutdown (a crash in a decoder, a kill): a picture read at two such ends is left out until it
// changes. One end alone proves nothing, since several pictures are read at once and a power cut is
// no one picture's fault.
//
// Kept under HKEY_CURRENT_USER\<SettingsKey>:
// - Reading\<process id>-<creation time>: the files each running game reads now, a value named by
//   the path (REG_BINARY: its size and write time as read), made before the read and deleted after;
//   a subkey whose game no longer runs is the trace of such an end.
// - Crashes: a value named by each picture's path read at such ends (REG_BINARY: its size, write
//   time and how many ends).
//
// Whatever reads pictures by path (deals, titles, the large view, a later index of faces) is noted
// through pictures/PictureReading.h; whatever picks pictures asks LeftOutAfterCrashes.
#pragma once

#include <string>
#include <vector>

// Start-up, before the first picture is read: the traces of runs that are over become ends of
// their pictures, pictures changed since are forgiven, and this run's reads are noted from now on.
void OpenCrashRecord();

// This run's own end: its notes go, a read still under way included, and no more are made.
void CloseCrashRecord();

// The picture at path was being read at two ends and has not changed since. Any thread.
bool LeftOutAfterCrashes(const std::string& path);

// The list without the pictures left out. Any thread.
void LeaveOutCrashed(std::vector<std::string>* pictures);

// Every picture left out now, in the order of their paths.
std::vector<std::string> PicturesLeftOut();

// The player lets every picture left out back in: their ends are forgotten. Returns their paths.
std::vector<std::string> LetPicturesBackIn();

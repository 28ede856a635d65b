// Windows' own codecs run in a process of their own, the codec host (YorewindCodecs.exe beside the
// game): a codec that crashes, hangs or goes wrong on a file costs that one picture, never the
// game. Each thread that needs the host gets one of its own, started the first time a file needs
// it and started again after one was lost; every host ends with the game, even a killed one.
// Windows only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/MetadataBlocks.h"
#include "pictures/PictureCrop.h"
#include "pictures/VoiceWav.h"
#include "rules/VoiceChoice.h"

// A host that has not answered, nor shown it is at work, for this long is ended.
constexpr unsigned CodecHostSilenceMs = 10000;
// One told to stop is given this long to do so before it is ended.
constexpr unsigned CodecHostStopGraceMs = 2000;

// DecodeWic (pictures/WicDecoder.h) in the calling thread's host. The host's CPU time for the
// picture counts as the thread's own (ThreadCpuSeconds), so stop sees it against any budget; once
// stop says so the host is told to stop. False when the picture does not decode or the host was lost.
bool HostDecode(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                int orientation, std::vector<uint32_t>* pixels, const DecodeStop& stop);

// WicFrameSize in the host: the first frame as stored and its orientation tag, known (1..8) when
// the game read it, 0 to leave it to the codec.
bool HostFrameSize(const uint8_t* data, size_t size, int known, int* width, int* height, int* orientation);

// ReadWicBlocks in the host.
void HostBlocks(const uint8_t* data, size_t size, MetadataBlocks* blocks);

// DecodeVoice (pictures/VoiceDecoder.h) in the calling thread's host: a recording's samples, of a
// file no larger than MaxVoiceFileBytes. False for no sound, or when the host was lost.
bool HostVoice(const uint8_t* data, size_t size, VoiceKind kind, VoiceSound* sound, const DecodeStop& stop);

// The host program to start instead of YorewindCodecs.exe beside the running exe (tests).
void SetCodecHostProgram(const std::wstring& path);

// How many hosts this run has started.
unsigned CodecHostsStarted();

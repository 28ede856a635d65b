// The codec host's side of the channel (pictures/CodecHostMessages.h): it opens what the game made
// for it, then serves one request at a time until the game says Quit or ends. Windows only.
#pragma once

#include <cstdint>

#include "pictures/CodecHostMessages.h"
#include "pictures/DecodeStop.h"

// Does what request asks with the file's bytes (input, request.InputBytes long) and fills reply's
// status and sizes, writing what it hands back to output (request's room after the bytes). stop is
// the game's wish to stop, asked between steps; asking it also tells the game the host is at work.
using CodecServe = void (*)(const codec_host::Request& request, const uint8_t* input, uint8_t* output,
                            const DecodeStop& stop, codec_host::Reply* reply);

// The host's whole life, from its command line ("--channel NAME --game PID"); the process's exit code.
int RunCodecHost(const wchar_t* commandLine, CodecServe serve);

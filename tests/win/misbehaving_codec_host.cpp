// A codec host that goes wrong on purpose when a file's first bytes ask it to, and otherwise works
// as YorewindCodecs.exe does: what a crash, a hang, a spin or garbage in a real codec looks like
// to the game.
#include <windows.h>

#include <cstring>

#include "pictures/CodecHostLoop.h"
#include "pictures/CodecHostServe.h"

namespace {

bool Says(const uint8_t* input, uint64_t size, const char* word) {
    return size >= std::strlen(word) && std::memcmp(input, word, std::strlen(word)) == 0;
}

void Serve(const codec_host::Request& request, const uint8_t* input, uint8_t* output, const DecodeStop& stop,
           codec_host::Reply* reply) {
    if (Says(input, request.InputBytes, "YW-CRASH"))
        *static_cast<volatile int*>(nullptr) = 1;
    if (Says(input, request.InputBytes, "YW-HANG"))
        Sleep(INFINITE);
    if (Says(input, request.InputBytes, "YW-SPIN")) {
        // Busy, never asking whether to stop.
        for (volatile unsigned turns = 0;; ++turns) {
        }
    }
    if (Says(input, request.InputBytes, "YW-GARBAGE")) {
        reply->Status = uint32_t(codec_host::Status::Picture);
        reply->PixelBytes = 3;
        return;
    }
    ServeWithSystemCodecs(request, input, output, stop, reply);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunCodecHost(GetCommandLineW(), Serve);
}

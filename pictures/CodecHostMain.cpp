// YorewindCodecs.exe: the codec host, started by the game (pictures/CodecHost.h). It reads files'
// bytes with Windows' own codecs, out of the game's process.
#include <windows.h>

#include "pictures/CodecHostLoop.h"
#include "pictures/CodecHostServe.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunCodecHost(GetCommandLineW(), ServeWithSystemCodecs);
}

// What Wine's Direct3D alone keeps of a deal's drawing, without the game: a D3D9 device on a window
// and, each round, 19 card surfaces of 129x96 written and drawn onto the back buffer and presented,
// as a deal by More does. Prints the process's private memory in RAM and its largest allocation's
// part in RAM (QueryWorkingSetEx) on the way.
//   d3d_queue_bench [ROUNDS]
#include <windows.h>
#include <d3d9.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/Measures.h"

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "d3d_queue_bench";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowA("d3d_queue_bench", "d3d_queue_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      800, 600, nullptr, nullptr, windowClass.hInstance, nullptr);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS present = {};
    present.Windowed = TRUE;
    present.SwapEffect = D3DSWAPEFFECT_DISCARD;
    present.BackBufferFormat = D3DFMT_X8R8G8B8;
    present.BackBufferWidth = 794;
    present.BackBufferHeight = 594;
    IDirect3DDevice9* device = nullptr;
    if (window == nullptr || d3d == nullptr ||
        FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                 &present, &device))) {
        std::fprintf(stderr, "no device\n");
        return 1;
    }
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    std::vector<IDirect3DSurface9*> cards(19);
    for (IDirect3DSurface9*& card : cards)
        device->CreateOffscreenPlainSurface(129, 96, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &card, nullptr);
    std::printf("19 cards written, drawn and presented a round; after round: private memory in RAM (MB), the "
                "largest private allocation's KB in RAM/committed\n");
    for (int round = 0; round <= rounds; ++round) {
        if (round % 100 == 0) {
            const PrivateMemory memory = PrivateMemoryNow();
            std::printf("  %d: %.1f, %lu/%lu\n", round, memory.InRam, static_cast<unsigned long>(memory.LargestInRam),
                        static_cast<unsigned long>(memory.LargestCommitted));
            std::fflush(stdout);
        }
        for (size_t i = 0; i < cards.size(); ++i) {
            D3DLOCKED_RECT locked;
            if (SUCCEEDED(cards[i]->LockRect(&locked, nullptr, 0))) {
                for (int y = 0; y < 96; ++y)
                    std::memset(static_cast<char*>(locked.pBits) + y * locked.Pitch, int(round + i), 129 * 4);
                cards[i]->UnlockRect();
            }
            const RECT target = {LONG(i % 6) * 132, LONG(i / 6) * 99, LONG(i % 6) * 132 + 129, LONG(i / 6) * 99 + 96};
            device->StretchRect(cards[i], nullptr, backBuffer, &target, D3DTEXF_NONE);
        }
        device->Present(nullptr, nullptr, nullptr, nullptr);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    for (IDirect3DSurface9* card : cards)
        card->Release();
    backBuffer->Release();
    device->Release();
    d3d->Release();
    return 0;
}

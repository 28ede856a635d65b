// What Wine's Direct3D alone keeps of a deal's drawing, without the game: a D3D9 device on a window
// and, each round, 19 card surfaces of 129x96 written and drawn onto the back buffer and presented,
// as a deal by More does. Prints the process's private memory in RAM and its largest allocation's
// part in RAM (QueryWorkingSetEx) on the way. With "calls", the bytes each kind of call the game
// makes writes into that allocation instead: its pages in RAM before and after 1000 calls of a kind.
//   d3d_queue_bench [ROUNDS | calls]
#include <windows.h>
#include <d3d9.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/Measures.h"

namespace {

// Each kind of call 1000 times on a device whose queue has not yet gone round, so that every byte
// written comes into RAM.
void PrintCallCosts(IDirect3DDevice9* device, IDirect3DSurface9* backBuffer, IDirect3DSurface9* card) {
    IDirect3DSurface9 *copy = nullptr, *part = nullptr, *partCopy = nullptr;
    device->CreateOffscreenPlainSurface(794, 594, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &copy, nullptr);
    device->CreateRenderTarget(129, 96, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE, &part, nullptr);
    device->CreateOffscreenPlainSurface(129, 96, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &partCopy, nullptr);
    if (copy == nullptr || part == nullptr || partCopy == nullptr)
        return;
    const RECT place = {4, 4, 133, 100};
    D3DRECT backs[36];
    for (int i = 0; i < 36; ++i)
        backs[i] = {LONG(i % 6) * 132 + 4, LONG(i / 6) * 99 + 4, LONG(i % 6) * 132 + 132,
                    LONG(i / 6) * 99 + 99};
    const auto readDc = [](IDirect3DSurface9* surface) {
        HDC dc = nullptr;
        if (SUCCEEDED(surface->GetDC(&dc)))
            surface->ReleaseDC(dc);
    };
    const struct {
        const char* Name;
        std::function<void()> Call;
    } calls[] = {
        {"StretchRect of a card onto the back buffer",
         [&] { device->StretchRect(card, nullptr, backBuffer, &place, D3DTEXF_NONE); }},
        {"ColorFill of a card's place", [&] { device->ColorFill(backBuffer, &place, 0xFF808080); }},
        {"Clear of 1 rectangle", [&] { device->Clear(1, backs, D3DCLEAR_TARGET, 0xFF808080, 1.0f, 0); }},
        {"Clear of 2 rectangles", [&] { device->Clear(2, backs, D3DCLEAR_TARGET, 0xFF808080, 1.0f, 0); }},
        {"Clear of 36 rectangles", [&] { device->Clear(36, backs, D3DCLEAR_TARGET, 0xFF808080, 1.0f, 0); }},
        {"LockRect and UnlockRect of a card",
         [&] {
             D3DLOCKED_RECT locked;
             if (SUCCEEDED(card->LockRect(&locked, nullptr, 0)))
                 card->UnlockRect();
         }},
        {"GetRenderTargetData of the back buffer", [&] { device->GetRenderTargetData(backBuffer, copy); }},
        {"GetRenderTargetData of a card's part", [&] { device->GetRenderTargetData(part, partCopy); }},
        {"GetDC and ReleaseDC of its copy", [&] { readDc(partCopy); }},
        {"BeginScene and EndScene",
         [&] {
             device->BeginScene();
             device->EndScene();
         }},
    };
    std::printf("Bytes a call writes into the largest allocation, mean of 1000:\n");
    for (const auto& call : calls) {
        for (int i = 0; i < 20; ++i)
            call.Call();
        const SIZE_T before = PrivateMemoryNow().LargestInRam;
        for (int i = 0; i < 1000; ++i)
            call.Call();
        const SIZE_T after = PrivateMemoryNow().LargestInRam;
        std::printf("  %-44s %5.0f\n", call.Name, double(after - before) * 1024 / 1000);
    }
    std::fflush(stdout);
    partCopy->Release();
    part->Release();
    copy->Release();
}

} // namespace

int main(int argc, char** argv) {
    const bool callCosts = argc > 1 && std::strcmp(argv[1], "calls") == 0;
    const int rounds = argc > 1 && !callCosts ? std::atoi(argv[1]) : 1000;
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
    if (callCosts)
        PrintCallCosts(device, backBuffer, cards[0]);
    else
        std::printf("19 cards written, drawn and presented a round; after round: private memory in RAM (MB), "
                    "the largest private allocation's KB in RAM/committed\n");
    for (int round = 0; !callCosts && round <= rounds; ++round) {
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

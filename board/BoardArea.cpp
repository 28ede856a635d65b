#include "board/BoardArea.h"

#include "engine/GameEngine.h"

namespace {

int BarStrip = 0;

} // namespace

RECT BoardRect() {
    RECT client = {0, 0, 0, 0};
    GetClientRect(Engine->Window, &client);
    client.bottom = client.bottom > BarStrip ? client.bottom - BarStrip : 0;
    return client;
}

void SetStatusBarStrip(int height) {
    BarStrip = height;
}

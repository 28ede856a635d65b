#include "app/Settings.h"

#include "engine/GameEngine.h"
#include "game/NewRound.h"

void SaveAndShutdown() {
    // The surfaces go before the device, which is released only after the main loop.
    DeleteCardImages();
    SaveSettings();
    delete Engine;
    Engine = nullptr;
}

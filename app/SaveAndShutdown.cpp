#include "app/Settings.h"

#include "app/CrashRecord.h"
#include "app/RoundStore.h"
#include "engine/GameEngine.h"
#include "game/DealPictures.h"
#include "game/NewRound.h"

void SaveAndShutdown() {
    // A picture still being read now did not end the run.
    CloseCrashRecord();
    // Nothing may decode on for a board that is going away.
    CancelNextDeal();
    SaveRound();
    // The surfaces go before the device, which is released only after the main loop.
    DeleteCardImages();
    SaveSettings();
    delete Engine;
    Engine = nullptr;
}

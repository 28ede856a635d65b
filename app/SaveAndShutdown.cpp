#include "app/SaveAndShutdown.h"

#include "app/CrashRecord.h"
#include "app/PeopleIndexing.h"
#include "app/RoundStore.h"
#include "app/Settings.h"
#include "board/CardPictures.h"
#include "board/DealPictures.h"
#include "board/DealtFaces.h"
#include "board/Voice.h"
#include "board/VoiceSpeech.h"
#include "engine/GameEngine.h"

void SaveAndShutdown() {
    // A picture still being read now did not end the run.
    CloseCrashRecord();
    // Nothing may decode on for a board that is going away.
    CancelNextDeal();
    StopFindingFaces();
    StopPeopleIndexing();
    StopVoice();
    EndSpeech();
    SaveRound();
    // The surfaces go before the device, which is released only after the main loop.
    DeleteCardImages();
    SaveSettings();
    delete Engine;
    Engine = nullptr;
}

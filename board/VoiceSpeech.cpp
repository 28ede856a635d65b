#include "board/VoiceSpeech.h"

#include <windows.h>
#include <sapi.h>

#include <cwchar>

#include "pictures/ComScope.h"

namespace {

// Declared here rather than taken from sapi.lib's GUIDs: the game links nothing of SAPI.
const CLSID SpVoiceClass = {0x96749377, 0x3391, 0x11d2, {0x9e, 0xe3, 0x00, 0xc0, 0x4f, 0x79, 0x73, 0x96}};
const IID SpVoiceInterface = {0x6c44df74, 0x72b9, 0x4992, {0xa1, 0xec, 0xef, 0x99, 0x6e, 0x04, 0x22, 0xd4}};
const CLSID TokenCategoryClass = {0xa910187f, 0x0c7a, 0x45ac, {0x92, 0xcc, 0x59, 0xed, 0xaf, 0xb7, 0x7b, 0x53}};
const IID TokenCategoryInterface = {0x2d3d3845, 0x39af, 0x4850, {0xbb, 0xf9, 0x40, 0xb4, 0x97, 0x80, 0x01, 0x1d}};
const wchar_t VoicesCategory[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices";

Owned<ISpVoice> Voice;
bool Tried = false;
NameSpeaker Speaker = nullptr;

// The installed voice of the display language; the default voice stays where there is none.
void ChooseLanguage() {
    Owned<ISpObjectTokenCategory> category;
    Owned<IEnumSpObjectTokens> tokens;
    Owned<ISpObjectToken> token;
    wchar_t wanted[32];
    std::swprintf(wanted, 32, L"Language=%x", unsigned(GetUserDefaultUILanguage()));
    if (SUCCEEDED(CoCreateInstance(TokenCategoryClass, nullptr, CLSCTX_ALL, TokenCategoryInterface,
                                   category.OutVoid())) &&
        SUCCEEDED(category->SetId(VoicesCategory, FALSE)) &&
        SUCCEEDED(category->EnumTokens(wanted, nullptr, tokens.Out())) &&
        tokens->Next(1, token.Out(), nullptr) == S_OK)
        Voice->SetVoice(token.Get());
}

// The voice, made on first use; none where SAPI is missing.
ISpVoice* SystemVoice() {
    if (!Tried) {
        Tried = true;
        if (SUCCEEDED(CoCreateInstance(SpVoiceClass, nullptr, CLSCTX_ALL, SpVoiceInterface, Voice.OutVoid())))
            ChooseLanguage();
    }
    return Voice.Get();
}

bool ScreenReaderRuns() {
    BOOL running = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) && running;
}

} // namespace

bool SpeakName(const std::wstring& name) {
    if (name.empty() || ScreenReaderRuns())
        return false;
    if (Speaker != nullptr)
        return Speaker(name);
    ISpVoice* voice = SystemVoice();
    // The name is said as text, never read as SAPI's markup.
    return voice != nullptr &&
           SUCCEEDED(voice->Speak(name.c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr));
}

void StopSpeaking() {
    if (Voice.Get() != nullptr)
        Voice->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
}

void EndSpeech() {
    StopSpeaking();
    Voice.Reset();
    Tried = false;
}

void SetNameSpeaker(NameSpeaker speaker) {
    Speaker = speaker;
}

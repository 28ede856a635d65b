#include "app/RecognisingPeople.h"

#include <string>

#include "app/PeopleIndexing.h"
#include "app/Settings.h"
#include "app/Texts.h"
#include "pictures/PeopleIndexFolder.h"
#include "res/resource.h"

const char PeopleExplainedValue[] = "PeopleExplained";

namespace {

bool Explained() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    return RegGetValueA(HKEY_CURRENT_USER, SettingsKey, PeopleExplainedValue, RRF_RT_REG_DWORD, nullptr,
                        &value, &size) == ERROR_SUCCESS &&
           value == 1;
}

// The folder the index lives in, as the player finds it.
std::wstring IndexFolder() {
    std::wstring path = WideText(PeopleIndexPath(), CP_UTF8);
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? L"%LOCALAPPDATA%\\Yorewind" : path.substr(0, slash);
}

} // namespace

bool AgreeToRecognising(HWND owner) {
    if (Explained())
        return true;
    if (MessageBoxW(owner, FormatText(IDS_RECOGNISE_EXPLAINED, {IndexFolder()}).c_str(),
                    LoadText(IDS_RECOGNISE_CAPTION).c_str(), MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return false;
    const DWORD value = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, PeopleExplainedValue, REG_DWORD, &value, sizeof(value));
    return true;
}

bool ForgetPeopleAndStop(HWND owner) {
    const std::wstring caption = LoadText(IDS_FORGET_CAPTION);
    if (MessageBoxW(owner, LoadText(IDS_FORGET_QUESTION).c_str(), caption.c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES ||
        !ForgetRecognisedPeople(owner))
        return false;
    RecognisePeople = 0;
    MessageBoxW(owner, LoadText(IDS_FORGET_DONE).c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
    return true;
}

// Stands in for the index's own file until it joins: no reading, and the index deleted on request.
#include "app/PeopleIndexing.h"

#include "app/Texts.h"
#include "pictures/PeopleIndexFolder.h"
#include "res/resource.h"

void StartPeopleIndexing(HWND) {}
void StopPeopleIndexing() {}
void PausePeopleIndexing(bool) {}

PeopleIndexProgress CurrentPeopleIndexProgress() {
    return {false, 0, 0};
}

bool ForgetRecognisedPeople(HWND owner) {
    StopPeopleIndexing();
    const std::string path = PeopleIndexPath();
    std::string left;
    if (path.empty() || ForgetPeople(path, &left))
        return true;
    MessageBoxW(owner, FormatText(IDS_FORGET_LEFT, {WideText(left, CP_UTF8)}).c_str(),
                LoadText(IDS_ERROR_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
    return false;
}

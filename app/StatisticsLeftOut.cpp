#include "app/StatisticsLeftOut.h"

#include <string>
#include <vector>

#include "app/CrashRecord.h"
#include "app/ScanPictures.h"
#include "app/Texts.h"
#include "res/resource.h"

namespace {

// A message box stays on the screen with this many paths; the rest are counted.
const size_t NamedPaths = 10;

std::wstring LeftOutLine(size_t count) {
    if (count == 0)
        return LoadText(IDS_LEFT_OUT_NONE);
    return count == 1 ? LoadText(IDS_LEFT_OUT_ONE) : FormatText(IDS_LEFT_OUT_MANY, {unsigned(count)});
}

std::wstring PathList(const std::vector<std::string>& paths) {
    std::wstring list;
    for (size_t i = 0; i < paths.size() && i < NamedPaths; ++i)
        list += (i > 0 ? L"\n" : L"") + WideText(paths[i], CP_ACP);
    if (paths.size() > NamedPaths)
        list += L"\n" + FormatText(IDS_LEFT_OUT_MORE, {unsigned(paths.size() - NamedPaths)});
    return list;
}

} // namespace

void ShowLeftOut(HWND dialog) {
    const size_t count = PicturesLeftOut().size();
    SetDlgItemTextW(dialog, IDC_LEFT_OUT, LeftOutLine(count).c_str());
    const HWND button = GetDlgItem(dialog, IDC_LET_BACK_IN);
    // A disabled button must not keep the keyboard's focus.
    if (count == 0 && GetFocus() == button)
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
    EnableWindow(button, count > 0);
}

void AskLetBackIn(HWND dialog) {
    const std::vector<std::string> paths = PicturesLeftOut();
    if (paths.empty())
        return ShowLeftOut(dialog);
    const std::wstring question = FormatText(IDS_LEFT_OUT_QUESTION, {PathList(paths)});
    if (MessageBoxW(dialog, question.c_str(), LoadText(IDS_STATS_CAPTION).c_str(), MB_YESNO | MB_ICONQUESTION) ==
        IDYES)
        TakeBackIntoList(LetPicturesBackIn());
    ShowLeftOut(dialog);
}

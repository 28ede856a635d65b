#include "app/FolderDrop.h"

#include <string>
#include <vector>

#include "app/GivenFolder.h"
#include "app/PeopleIndexing.h"
#include "app/StartupScan.h"
#include "app/Texts.h"
#include "board/NewRound.h"
#include "board/RenderBoard.h"
#include "res/resource.h"

namespace {

// The first dropped path, of any length; "" when there is none.
std::wstring FirstDropped(HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    if (length == 0)
        return std::wstring();
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, &path[0], length + 1));
    return path;
}

} // namespace

void AcceptFolderDrops(HWND window) {
    DragAcceptFiles(window, TRUE);
}

void PlayDroppedFolder(HWND window, HDROP drop) {
    const std::wstring given = FirstDropped(drop);
    DragFinish(drop);
    // A modal box disables the window: its owner's answer comes first.
    if (given.empty() || GatheringPictures() || !IsWindowEnabled(window))
        return;
    std::vector<std::string> scanned;
    const GivenFolderResult result = TakeGivenFolder(window, given, &scanned);
    if (result == GivenFolderResult::WindowClosed)
        return;
    if (result == GivenFolderResult::Taken) {
        NewRound();
        // The new folder's people are indexed from now on.
        StartPeopleIndexing(window);
        // Dropped from Explorer, the window is not the active one, and the loop draws no frame
        // for an inactive window: the new board shows now.
        RenderBoard();
    } else {
        MessageBoxW(window, RefusalMessage(result, scanned).c_str(), LoadText(IDS_ERROR_CAPTION).c_str(), MB_OK);
        if (!IsWindow(window))
            return;
    }
    ReleaseHeldInput(window);
}

#include "app/FolderPicker.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "pictures/ComScope.h"

namespace {

// Defined here, as the program's other class ids: libuuid's copies would clash in a static link.
const CLSID FileOpenDialogClass = {
    0xDC1C5A9C, 0xE88A, 0x4DDE, {0xA5, 0xA1, 0x60, 0xF8, 0x2A, 0x20, 0xAE, 0xF7}};

enum class Pick { Folder, None, NoDialog };

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring FileSystemPath(IShellItem* item) {
    wchar_t* path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return std::wstring();
    std::wstring text(path);
    CoTaskMemFree(path);
    return text;
}

Pick PickWithItemDialog(HWND owner, const std::wstring& title, const std::wstring& start,
                        std::wstring* picked) {
    Owned<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(FileOpenDialogClass, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IFileOpenDialog),
                                dialog.OutVoid())))
        return Pick::NoDialog;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(title.c_str());
    if (IsFolder(start)) {
        Owned<IShellItem> folder;
        if (SUCCEEDED(
                SHCreateItemFromParsingName(start.c_str(), nullptr, __uuidof(IShellItem), folder.OutVoid())))
            dialog->SetFolder(folder.Get());
    }
    Owned<IShellItem> result;
    if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(result.Out())))
        return Pick::None;
    *picked = FileSystemPath(result.Get());
    return picked->empty() ? Pick::None : Pick::Folder;
}

// Tree only: no address bar and no way to type a path.
bool PickWithFolderBrowser(HWND owner, const std::wstring& title, std::wstring* picked) {
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST folder = SHBrowseForFolderW(&browse);
    if (folder == nullptr)
        return false;
    wchar_t path[MAX_PATH] = L"";
    const bool found = SHGetPathFromIDListW(folder, path) != FALSE;
    CoTaskMemFree(folder);
    *picked = path;
    return found;
}

} // namespace

bool PickFolder(HWND owner, const std::wstring& title, const std::wstring& start, std::wstring* picked) {
    // Both dialogs want a single-threaded apartment; the window's thread is in one already, and
    // this entry only counts once more.
    const Apartment apartment(COINIT_APARTMENTTHREADED);
    switch (PickWithItemDialog(owner, title, start, picked)) {
        case Pick::Folder:
            return true;
        case Pick::None:
            return false;
        default:
            return PickWithFolderBrowser(owner, title, picked);
    }
}

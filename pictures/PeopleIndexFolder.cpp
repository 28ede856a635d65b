#include "pictures/PeopleIndexFolder.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace {

// SQLite and the store take UTF-8 paths.
std::string Utf8(const std::wstring& text) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &utf8[0], length, nullptr, nullptr);
    return utf8;
}

std::wstring Wide(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), int(utf8.size()), nullptr, 0);
    std::wstring text(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), int(utf8.size()), &text[0], length);
    return text;
}

} // namespace

std::string PeopleIndexPath() {
    PWSTR folder = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &folder)))
        path = Utf8(std::wstring(folder) + L"\\Yorewind\\people.db");
    CoTaskMemFree(folder);
    return path;
}

std::unique_ptr<FaceIndexStore> OpenPeopleIndex() {
    const std::string path = PeopleIndexPath();
    if (path.empty())
        return nullptr;
    auto store = std::make_unique<FaceIndexStore>(path);
    std::string note;
    if (!store->SetAside().empty())
        note = "Yorewind: people index set aside as " + store->SetAside() + " (" + store->SetAsideReason() +
               ")\n";
    if (store->Status() != StoreStatus::Ready)
        note += "Yorewind: people index " + path + ": " + store->Reason() + "\n";
    if (!note.empty())
        OutputDebugStringW(Wide(note).c_str());
    return store;
}

bool ForgetPeopleIndex() {
    const std::string path = PeopleIndexPath();
    return path.empty() || ForgetPeople(path);
}

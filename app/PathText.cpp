#include "app/PathText.h"

#include <cstring>

void CopyPathText(char* buffer, const char* source) {
    buffer[0] = '\0';
    AppendPathText(buffer, source);
}

void AppendPathText(char* buffer, const char* tail) {
    size_t length = strlen(buffer);
    while (*tail != '\0' && length < PathTextSize - 1)
        buffer[length++] = *tail++;
    buffer[length] = '\0';
}

std::wstring FolderOfFile(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return std::wstring();
    std::wstring folder = path.substr(0, separator);
    if (folder.empty() || folder.back() == L':')
        folder += path[separator];
    return folder;
}

std::wstring WithoutTrailingSeparator(const std::wstring& folder) {
    std::wstring path = folder;
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/') && path[path.size() - 2] != L':')
        path.pop_back();
    return path;
}

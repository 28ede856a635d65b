#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

bool FolderArgument(std::wstring* given) {
    int count = 0;
    // The wide line: a folder's name in any script arrives whole, whatever the code page.
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return false;
    given->clear();
    for (int i = 1; i < count; ++i) {
        if (i > 1)
            *given += L' ';
        std::wstring argument = arguments[i];
        // No path holds a quote: one at the end was a folder's last backslash before the closing
        // quote ("D:\"), which the splitting takes for an escaped quote.
        if (!argument.empty() && argument.back() == L'"')
            argument.back() = L'\\';
        *given += argument;
    }
    LocalFree(arguments);
    return count > 1;
}

#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

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
        *given += arguments[i];
    }
    LocalFree(arguments);
    return count > 1;
}

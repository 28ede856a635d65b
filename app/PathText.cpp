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

void ComposeSearchText(char* buffer, const char* folder, const char* pattern) {
    CopyPathText(buffer, folder);
    AppendPathText(buffer, pattern);
}

void ComposeFullName(char* buffer, const char* folder, const char* fileName) {
    CopyPathText(buffer, folder);
    AppendPathText(buffer, "\\");
    AppendPathText(buffer, fileName);
}

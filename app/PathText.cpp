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


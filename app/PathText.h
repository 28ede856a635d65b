// Bounded composition of path texts: every text fits MAX_PATH, cut silently at 259 characters.
#pragma once

#include <cstddef>

const size_t PathTextSize = 260; // MAX_PATH: 259 characters and a terminator

// Copies as much of source as fits into a PathTextSize buffer and terminates it.
void CopyPathText(char* buffer, const char* source);

// Appends as much of tail as fits, so the whole text keeps at most 259 characters.
void AppendPathText(char* buffer, const char* tail);

// The search text of one pattern: the folder followed by the pattern, e.g. "\*.jpg".
void ComposeSearchText(char* buffer, const char* folder, const char* pattern);

// A file's full name: the folder, one backslash (even after one the folder ends in), the name.
void ComposeFullName(char* buffer, const char* folder, const char* fileName);

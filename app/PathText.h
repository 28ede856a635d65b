// Bounded composition of path texts: every text fits MAX_PATH, cut silently at 259 characters;
// and a file's folder.
#pragma once

#include <cstddef>
#include <string>

const size_t PathTextSize = 260; // MAX_PATH: 259 characters and a terminator

// Copies as much of source as fits into a PathTextSize buffer and terminates it.
void CopyPathText(char* buffer, const char* source);

// Appends as much of tail as fits, so the whole text keeps at most 259 characters.
void AppendPathText(char* buffer, const char* tail);

// The folder a file's full path lies in, without the separator before the name, except that a
// drive's root keeps it ("C:\"): "C:" alone would mean the drive's current folder.
std::wstring FolderOfFile(const std::wstring& path);

// A folder's path without separators at its end, but for a drive's or the whole disk's root.
std::wstring WithoutTrailingSeparator(const std::wstring& path);

// The program's one argument: a folder to play (Explorer's folder menu passes it quoted).
#pragma once

#include <string>

// The text after the program's name: the arguments as the wide command line splits them, joined
// again by single spaces, so an unquoted folder with spaces is whole too. False when there is none.
bool FolderArgument(std::wstring* given);
